// ID3D10InputLayout: the checked vertex elements, matched against a pass's
// input signature, turned into vertex-array attribute formats.
#pragma once

#include <epoxy/gl.h>

#include <map>
#include <string>
#include <vector>

#include "DeviceChild.h"
#include "GlFormats.h"
#include "InputSignature.h"

namespace d3d10 {

class InputLayout final : public DeviceChild<ID3D10InputLayout> {
public:
    static HRESULT Create(Device* device, const D3D10_INPUT_ELEMENT_DESC* elements, UINT elementCount,
                          const void* signature, SIZE_T signatureSize, InputLayout** layout);

    HRESULT QueryInterface(REFIID riid, void** object) override;

    // The vertex array that feeds this layout to a program with these inputs
    // (made on first use; programs of several passes may place the same
    // semantic at different locations).
    GLuint VertexArrayFor(const InputSignature& inputs, const std::string& key);
    // Bit s set when the layout reads input slot s.
    uint32_t UsedSlots() const { return usedSlots_; }
    // The one slot this layout reads, when it reads one and per vertex only
    // (such draws may go through shared vertices); -1 otherwise.
    int SingleVertexSlot() const { return recordSize_ ? static_cast<int>(elements_.front().slot) : -1; }

private:
    struct Element {
        std::string semantic;
        UINT semanticIndex;
        const FormatInfo* format;
        UINT slot;
        UINT offset;
        bool perInstance;
        UINT stepRate;
    };

    InputLayout(Device* device, std::vector<Element> elements);
    ~InputLayout() override;

    const Element* Find(const std::string& semantic, UINT index) const;

    std::vector<Element> elements_;
    uint32_t usedSlots_ = 0;
    // Where its single slot's last element ends: the stride its buffers are
    // most likely bound with. 0 when the layout reads several slots.
    UINT recordSize_ = 0;
    std::map<std::string, GLuint> vertexArrays_;
};

}  // namespace d3d10
