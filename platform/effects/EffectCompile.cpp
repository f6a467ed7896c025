// D3D10CompileEffectFromMemory over the effect compiler.
#include "EffectCompiler.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

HRESULT MakeBlob(const void* data, size_t size, ID3D10Blob** blob) {
    HRESULT hr = D3D10CreateBlob(size, blob);
    if (FAILED(hr)) return hr;
    if (size > 0) memcpy((*blob)->GetBufferPointer(), data, size);
    return S_OK;
}

}  // namespace

HRESULT D3D10CompileEffectFromMemory(void* data, SIZE_T dataLength, LPCSTR srcFileName,
                                     const D3D10_SHADER_MACRO* defines, ID3D10Include* /*include*/,
                                     UINT /*hlslFlags*/, UINT /*fxFlags*/, ID3D10Blob** compiledEffect,
                                     ID3D10Blob** errors) {
    if (compiledEffect) *compiledEffect = nullptr;
    if (errors) *errors = nullptr;
    if (!compiledEffect || (!data && dataLength > 0)) return E_INVALIDARG;

    std::string messages;
    HRESULT hr;
    fx::EffectDesc effect;
    if (defines && defines->Name) {
        // The effect level is parsed before any preprocessing, so a macro
        // could change what it sees; refuse rather than compile it wrong.
        messages = std::string(srcFileName ? srcFileName : "effect") + ": error: macro definitions are not supported\n";
        hr = E_INVALIDARG;
    } else {
        hr = fx::CompileEffect(static_cast<const char*>(data), dataLength, srcFileName, effect, messages);
    }

    // As a debug runtime would, so that whoever edits an effect sees why it
    // does not compile.
    if (FAILED(hr)) fprintf(stderr, "%s", messages.c_str());
    if (errors && !messages.empty()) MakeBlob(messages.c_str(), messages.size() + 1, errors);
    if (FAILED(hr)) return hr;

    std::vector<uint8_t> bytes = fx::SerializeEffect(effect);
    hr = MakeBlob(bytes.data(), bytes.size(), compiledEffect);
    if (FAILED(hr)) {
        if (errors && *errors) {
            (*errors)->Release();
            *errors = nullptr;
        }
        return hr;
    }
    return S_OK;
}
