#include "framework.h"

#include "globals.h"

#include <cassert>
#include <fstream>

namespace {

// A text stream on Windows delivers each carriage-return and line-feed pair as
// one line feed; this runtime's streams do not, so the pairs are collapsed
// here and the effect compiles the same whichever line ends its file has.
size_t CollapseLineEnds(char* text, size_t length) {
    size_t out = 0;
    for (size_t in = 0; in < length; ++in) {
        if (text[in] == '\r' && in + 1 < length && text[in + 1] == '\n')
            continue;
        text[out++] = text[in];
    }
    return out;
}

}  // namespace

namespace VRK {

void CheckResult(HRESULT result) {
    // Success codes other than zero count as failures too: the program relies
    // on every call it checks giving exactly S_OK.
    if (result != 0)
        throw 1;
}

ID3D10Effect* LoadEffect(const std::string& fileName) {
    std::ifstream is(fileName.c_str());
    assert(is);

    is.seekg(0, std::ios::end);
    std::streamoff size = is.tellg();
    is.seekg(0, std::ios::beg);

    // Text-mode reading may deliver fewer characters than the file has bytes
    // (line-end pairs become one); only what arrived is compiled.
    char* source = new char[static_cast<size_t>(size)];
    is.read(source, size);
    size_t length = CollapseLineEnds(source, static_cast<size_t>(is.gcount()));

    ID3D10Blob* compiled = nullptr;
    CheckResult(D3D10CompileEffectFromMemory(source, length, fileName.c_str(), nullptr,
                                             nullptr, D3D10_SHADER_ENABLE_STRICTNESS, 0, &compiled, nullptr));

    ID3D10Effect* effect = nullptr;
    CheckResult(D3D10CreateEffectFromMemory(compiled->GetBufferPointer(), compiled->GetBufferSize(), 0, device,
                                            nullptr, &effect));

    // The source and the compiled form are not needed once the effect exists.
    compiled->Release();
    delete[] source;
    is.close();
    return effect;
}

}  // namespace VRK
