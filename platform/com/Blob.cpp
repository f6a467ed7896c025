#include "Blob.h"

#include <new>

namespace {

// The identifier of ID3D10Blob, Direct3D's own; a blob also answers to
// IID_IUnknown.
const IID kBlob = {0x8ba5fb08, 0x5195, 0x40e2, {0xac, 0x58, 0x0d, 0x98, 0x9c, 0x3a, 0x01, 0x02}};

}  // namespace

Blob::Blob(SIZE_T size) : bytes_(size) {}

HRESULT Blob::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == kBlob) {
        AddRef();
        *object = static_cast<ID3D10Blob*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG Blob::AddRef() { return ++references_; }

ULONG Blob::Release() {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

LPVOID Blob::GetBufferPointer() { return bytes_.empty() ? nullptr : bytes_.data(); }

SIZE_T Blob::GetBufferSize() { return bytes_.size(); }

HRESULT D3D10CreateBlob(SIZE_T size, ID3D10Blob** blob) {
    if (!blob) return E_INVALIDARG;
    *blob = nullptr;
    try {
        *blob = new Blob(size);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}
