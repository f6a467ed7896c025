// The effect level of a Direct3D 10 effect file: state objects, techniques
// and passes. What remains once they are blanked out is plain HLSL for the
// shader compiler, with every line where it was.
#pragma once

#include "EffectCompiler.h"
#include "EffectStates.h"

#include <cstddef>
#include <string>
#include <vector>

namespace fx {

// A shader a pass names: compiled once however many passes name it.
struct ShaderEntry {
    ShaderStage stage;
    std::string entryPoint;
    std::string profile;
};

struct ParsedEffect {
    std::vector<StateObject> states;
    std::vector<ShaderEntry> shaders;        // PassDesc's shader indices point here
    std::vector<TechniqueDesc> techniques;
    std::string hlsl;                        // the source less its effect constructs
};

class EffectParser {
public:
    // sourceName prefixes every message, as "name(line): error: ...".
    EffectParser(const char* source, size_t length, const std::string& sourceName);

    // Stops at the first error. May be called again.
    bool Parse(ParsedEffect& effect, std::string& messages);

private:
    enum class TokenType { Identifier, Number, String, Punct, End };
    struct Token {
        TokenType type;
        size_t start, end;  // byte range in text_
        int line;
    };
    struct ParseError {};

    void Tokenize();
    void ParseStateObject();
    void ParseTechnique();
    void ParsePass(TechniqueDesc& technique);
    void ParsePassCall(PassDesc& pass);
    int ParseShader(ShaderStage stage, const Token& call);
    int ParseStateReference(StateKind kind);
    void ParseStateValue(StateValue& value);
    double ParseNumber(bool& integral);
    uint32_t ParseUnsigned();
    void SkipAnnotations();
    void Blank(size_t start, size_t end);

    const Token& Peek(size_t ahead = 0) const;
    const Token& Next();
    std::string Text(const Token& token) const;
    bool IsPunct(const Token& token, char c) const;
    bool IsWord(const Token& token, const char* word) const;      // exact, as keywords are
    bool IsWordNoCase(const Token& token, const char* word) const;  // as the effect calls are
    bool IsNull(const Token& token) const;  // NULL or 0, for no shader or state
    const Token& Expect(char c);
    const Token& ExpectIdentifier(const char* what);
    [[noreturn]] void Fail(int line, const std::string& message);

    std::string source_;  // with its line ends made line feeds
    std::string text_;    // the source as it is being blanked
    std::string sourceName_;
    std::string messages_;
    std::vector<Token> tokens_;
    size_t next_ = 0;
    std::vector<std::string> functions_;            // names declared at file scope before a '('
    std::vector<std::pair<std::string, int>> entryPoints_;  // named by passes, with their lines
    ParsedEffect effect_;
};

}  // namespace fx
