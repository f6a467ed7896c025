#include "InputLayout.h"

#include <algorithm>

#include "DebugLayer.h"

namespace d3d10 {

namespace {

constexpr UINT kAppendAligned = 0xffffffffu;
constexpr UINT kMaxElements = 32;

}  // namespace

HRESULT InputLayout::Create(Device* device, const D3D10_INPUT_ELEMENT_DESC* elements, UINT elementCount,
                            const void* signature, SIZE_T signatureSize, InputLayout** layout) {
    if (!layout) return E_INVALIDARG;
    *layout = nullptr;
    if ((elementCount > 0 && !elements) || elementCount > kMaxElements) {
        DebugMessage("CreateInputLayout: %u elements", elementCount);
        return E_INVALIDARG;
    }
    InputSignature inputs;
    if (!DecodeInputSignature(signature, signatureSize, inputs)) {
        DebugMessage("CreateInputLayout: the shader bytecode holds no input signature");
        return E_INVALIDARG;
    }

    std::vector<Element> checked;
    UINT nextOffset[kInputSlots] = {};
    for (UINT i = 0; i < elementCount; ++i) {
        const D3D10_INPUT_ELEMENT_DESC& e = elements[i];
        const FormatInfo* format = FindFormat(e.Format);
        if (!e.SemanticName || !*e.SemanticName) {
            DebugMessage("CreateInputLayout: element %u has no semantic name", i);
            return E_INVALIDARG;
        }
        if (!format || format->isDepth) {
            DebugMessage("CreateInputLayout: element %u (%s%u) has format %d, not a vertex format", i,
                         e.SemanticName, e.SemanticIndex, static_cast<int>(e.Format));
            return E_INVALIDARG;
        }
        if (e.InputSlot >= kInputSlots ||
            (e.InputSlotClass != D3D10_INPUT_PER_VERTEX_DATA && e.InputSlotClass != D3D10_INPUT_PER_INSTANCE_DATA)) {
            DebugMessage("CreateInputLayout: element %u (%s%u) has input slot %u and class %d", i, e.SemanticName,
                         e.SemanticIndex, e.InputSlot, static_cast<int>(e.InputSlotClass));
            return E_INVALIDARG;
        }
        Element element{e.SemanticName,
                        e.SemanticIndex,
                        format,
                        e.InputSlot,
                        e.AlignedByteOffset == kAppendAligned ? nextOffset[e.InputSlot] : e.AlignedByteOffset,
                        e.InputSlotClass == D3D10_INPUT_PER_INSTANCE_DATA,
                        e.InstanceDataStepRate};
        for (const Element& other : checked) {
            if (SameSemantic(other.semantic, element.semantic) && other.semanticIndex == element.semanticIndex) {
                DebugMessage("CreateInputLayout: semantic %s%u appears twice", e.SemanticName, e.SemanticIndex);
                return E_INVALIDARG;
            }
        }
        nextOffset[e.InputSlot] = element.offset + format->bytesPerTexel;
        checked.push_back(element);
    }

    InputLayout* created = new InputLayout(device, std::move(checked));
    for (const SignatureInput& input : inputs.inputs) {
        if (!created->Find(input.semantic, input.semanticIndex)) {
            DebugMessage("CreateInputLayout: the vertex shader input %s%u has no matching element in the layout",
                         input.semantic.c_str(), input.semanticIndex);
            created->Release();
            return E_INVALIDARG;
        }
    }
    *layout = created;
    return S_OK;
}

InputLayout::InputLayout(Device* device, std::vector<Element> elements)
    : DeviceChild(device), elements_(std::move(elements)) {
    bool perInstance = false;
    UINT end = 0;
    for (const Element& e : elements_) {
        usedSlots_ |= 1u << e.slot;
        perInstance = perInstance || e.perInstance;
        end = std::max(end, e.offset + e.format->bytesPerTexel);
    }
    if (!perInstance && usedSlots_ && (usedSlots_ & (usedSlots_ - 1)) == 0) recordSize_ = end;
    device_->CountLayoutRecordSize(recordSize_, +1);
}

InputLayout::~InputLayout() {
    device_->CountLayoutRecordSize(recordSize_, -1);
    if (!device_->Activate()) return;
    for (auto& entry : vertexArrays_) glDeleteVertexArrays(1, &entry.second);
}

HRESULT InputLayout::QueryInterface(REFIID riid, void** object) { return Answer(riid, object, {}); }

const InputLayout::Element* InputLayout::Find(const std::string& semantic, UINT index) const {
    for (const Element& e : elements_)
        if (e.semanticIndex == index && SameSemantic(e.semantic, semantic)) return &e;
    return nullptr;
}

GLuint InputLayout::VertexArrayFor(const InputSignature& inputs, const std::string& key) {
    auto found = vertexArrays_.find(key);
    if (found != vertexArrays_.end()) return found->second;
    GLuint vertexArray = 0;
    glCreateVertexArrays(1, &vertexArray);
    for (const SignatureInput& input : inputs.inputs) {
        const Element* e = Find(input.semantic, input.semanticIndex);
        if (!e) {
            // Left disabled, the attribute reads as (0, 0, 0, 1).
            DebugMessage("Draw: the bound input layout has no element for the vertex shader input %s%u",
                         input.semantic.c_str(), input.semanticIndex);
            continue;
        }
        glEnableVertexArrayAttrib(vertexArray, input.location);
        glVertexArrayAttribFormat(vertexArray, input.location, e->format->vertexComponents, e->format->vertexType,
                                  e->format->vertexNormalized, e->offset);
        glVertexArrayAttribBinding(vertexArray, input.location, e->slot);
        glVertexArrayBindingDivisor(vertexArray, e->slot, e->perInstance ? e->stepRate : 0);
    }
    vertexArrays_[key] = vertexArray;
    return vertexArray;
}

}  // namespace d3d10
