#include "InputSignature.h"

#include <cctype>
#include <cstring>

namespace d3d10 {

namespace {

constexpr char kMagic[4] = {'B', 'V', 'I', 'S'};
constexpr uint32_t kVersion = 1;
constexpr uint32_t kMaxInputs = 32;
constexpr uint32_t kMaxNameLength = 256;

void Put(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

class Reader {
public:
    Reader(const void* data, size_t size) : data_(static_cast<const uint8_t*>(data)), left_(size) {}
    bool Get(uint32_t& value) {
        if (left_ < 4) return false;
        value = 0;
        for (int i = 0; i < 4; ++i) value |= static_cast<uint32_t>(data_[i]) << (8 * i);
        Skip(4);
        return true;
    }
    bool Get(std::string& text, size_t length) {
        if (left_ < length) return false;
        text.assign(reinterpret_cast<const char*>(data_), length);
        Skip(length);
        return true;
    }
    size_t Left() const { return left_; }

private:
    void Skip(size_t n) {
        data_ += n;
        left_ -= n;
    }
    const uint8_t* data_;
    size_t left_;
};

}  // namespace

std::vector<uint8_t> EncodeInputSignature(const InputSignature& signature) {
    std::vector<uint8_t> out(kMagic, kMagic + 4);
    Put(out, kVersion);
    Put(out, static_cast<uint32_t>(signature.inputs.size()));
    for (const SignatureInput& input : signature.inputs) {
        Put(out, static_cast<uint32_t>(input.semantic.size()));
        out.insert(out.end(), input.semantic.begin(), input.semantic.end());
        Put(out, input.semanticIndex);
        Put(out, input.location);
        Put(out, input.components);
    }
    return out;
}

bool DecodeInputSignature(const void* data, size_t size, InputSignature& signature) {
    if (!data || size < 12 || std::memcmp(data, kMagic, 4) != 0) return false;
    Reader reader(static_cast<const uint8_t*>(data) + 4, size - 4);
    uint32_t version = 0, count = 0;
    if (!reader.Get(version) || version != kVersion || !reader.Get(count) || count > kMaxInputs) return false;
    InputSignature decoded;
    for (uint32_t i = 0; i < count; ++i) {
        SignatureInput input;
        uint32_t length = 0;
        if (!reader.Get(length) || length == 0 || length > kMaxNameLength || !reader.Get(input.semantic, length) ||
            !reader.Get(input.semanticIndex) || !reader.Get(input.location) || !reader.Get(input.components))
            return false;
        if (input.components < 1 || input.components > 4) return false;
        decoded.inputs.push_back(std::move(input));
    }
    if (reader.Left() != 0) return false;
    signature = std::move(decoded);
    return true;
}

bool SameSemantic(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace d3d10
