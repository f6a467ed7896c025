// ID3D10Blob: a reference-counted block of bytes.
#pragma once

#include <d3d10.h>

#include <atomic>
#include <vector>

class Blob : public ID3D10Blob {
public:
    explicit Blob(SIZE_T size);

    HRESULT QueryInterface(REFIID riid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    LPVOID GetBufferPointer() override;
    SIZE_T GetBufferSize() override;

private:
    ~Blob() override = default;

    std::atomic<ULONG> references_{1};
    std::vector<BYTE> bytes_;
};
