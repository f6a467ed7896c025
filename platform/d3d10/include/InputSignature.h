// The vertex inputs of a pass's vertex shader, as handed out in
// D3D10_PASS_DESC::pIAInputSignature and read back by CreateInputLayout.
// The bytes are the layer's own: "BVIS", a version, the input count, then per
// input its semantic name (length and characters), semantic index, GL
// attribute location and component count, all 32-bit little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace d3d10 {

struct SignatureInput {
    std::string semantic;  // without its index
    uint32_t semanticIndex = 0;
    uint32_t location = 0;
    uint32_t components = 0;
};

struct InputSignature {
    std::vector<SignatureInput> inputs;
};

std::vector<uint8_t> EncodeInputSignature(const InputSignature& signature);
// False for bytes that are not a signature of this format.
bool DecodeInputSignature(const void* data, size_t size, InputSignature& signature);

// Direct3D compares semantic names without regard to case.
bool SameSemantic(const std::string& a, const std::string& b);

}  // namespace d3d10
