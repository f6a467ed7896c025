#include "EffectParser.h"

#include "EffectStates.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace fx {
namespace {

bool IsIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsIdentifierChar(char c) { return IsIdentifierStart(c) || IsDigit(c); }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f'; }

// Direct3D 10 (and 10.1) shader models only.
bool ProfileFitsStage(const std::string& profile, ShaderStage stage) {
    const char* prefix = stage == ShaderStage::Vertex ? "vs_" : "ps_";
    if (profile.compare(0, 3, prefix) != 0) return false;
    std::string model = profile.substr(3);
    return model == "4_0" || model == "4_1";
}

}  // namespace

EffectParser::EffectParser(const char* source, size_t length, const std::string& sourceName)
    : sourceName_(sourceName) {
    // Every line end becomes one line feed, so that text with carriage
    // returns parses, blanks and compiles exactly like its twin without.
    source_.reserve(length);
    for (size_t i = 0; i < length; ++i) {
        char c = source[i];
        if (c == '\r') {
            source_ += '\n';
            if (i + 1 < length && source[i + 1] == '\n') ++i;
        } else {
            source_ += c;
        }
    }
}

bool EffectParser::Parse(ParsedEffect& effect, std::string& messages) {
    effect_ = ParsedEffect{};
    messages_.clear();
    text_ = source_;
    functions_.clear();
    entryPoints_.clear();
    bool ok = false;
    try {
        Tokenize();
        int braces = 0, parens = 0, angles = 0;
        // The declaration being read at file scope: its last name, and
        // whether it is a constant rather than an effect variable.
        std::string declared;
        bool constant = false;
        while (Peek().type != TokenType::End) {
            const Token& t = Peek();
            bool fileScope = braces == 0 && parens == 0;
            if (fileScope && t.type == TokenType::Identifier) {
                std::string word = Text(t);
                StateKind kind;
                if (StateKindFromKeyword(word, kind)) {
                    ParseStateObject();
                    continue;
                }
                if (word == "technique10" || word == "technique") {
                    ParseTechnique();
                    continue;
                }
                if (IsPunct(Peek(1), '(')) functions_.push_back(word);
                if (word == "static" || word == "const") constant = true;
                declared = word;
            }
            if (t.type == TokenType::Punct) {
                char c = text_[t.start];
                // Unbalanced brackets are the shader compiler's to report.
                if (c == '{') ++braces;
                else if (c == '}') braces = std::max(0, braces - 1);
                else if (c == '(') ++parens;
                else if (c == ')') parens = std::max(0, parens - 1);
                if (fileScope) {
                    // Annotations, and template arguments, sit between angle brackets.
                    if (c == '<') ++angles;
                    else if (c == '>') angles = std::max(0, angles - 1);
                    // The shader compiler drops an effect variable's initial
                    // value without a word; the program would then read zero.
                    if (c == '=' && angles == 0 && !constant)
                        Fail(t.line, "the initial value of effect variable '" + declared +
                                         "' is not supported: set it from the program, or declare it static const");
                }
                if ((c == ';' && fileScope) || (c == '}' && braces == 0)) {
                    declared.clear();
                    constant = false;
                    angles = 0;
                }
            }
            Next();
        }
        for (const auto& [name, line] : entryPoints_)
            if (std::find(functions_.begin(), functions_.end(), name) == functions_.end())
                Fail(line, "entry point '" + name + "' not found");
        effect_.hlsl = text_;
        effect = std::move(effect_);
        ok = true;
    } catch (const ParseError&) {
    }
    messages = messages_;
    return ok;
}

void EffectParser::Tokenize() {
    tokens_.clear();
    next_ = 0;
    const size_t n = text_.size();
    size_t i = 0;
    int line = 1;
    bool lineStart = true;  // only white space so far on this line
    while (i < n) {
        char c = text_[i];
        if (c == '\n') {
            ++line;
            ++i;
            lineStart = true;
            continue;
        }
        if (IsSpace(c)) {
            ++i;
            continue;
        }
        // Preprocessor lines are the shader compiler's; a backslash before
        // the line end carries the line on.
        if (c == '#' && lineStart) {
            while (i < n && text_[i] != '\n') {
                if (text_[i] == '\\' && i + 1 < n && text_[i + 1] == '\n') {
                    ++line;
                    ++i;
                }
                ++i;
            }
            continue;
        }
        lineStart = false;
        if (c == '/' && i + 1 < n && text_[i + 1] == '/') {
            while (i < n && text_[i] != '\n') ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && text_[i + 1] == '*') {
            int startLine = line;
            i += 2;
            while (i < n && !(text_[i] == '*' && i + 1 < n && text_[i + 1] == '/')) {
                if (text_[i] == '\n') ++line;
                ++i;
            }
            if (i >= n) Fail(startLine, "unterminated comment");
            i += 2;
            continue;
        }
        Token t{TokenType::Punct, i, i + 1, line};
        if (IsIdentifierStart(c)) {
            t.type = TokenType::Identifier;
            while (t.end < n && IsIdentifierChar(text_[t.end])) ++t.end;
        } else if (IsDigit(c) || (c == '.' && i + 1 < n && IsDigit(text_[i + 1]))) {
            t.type = TokenType::Number;
            bool hex = c == '0' && i + 1 < n && (text_[i + 1] == 'x' || text_[i + 1] == 'X');
            while (t.end < n) {
                char d = text_[t.end];
                char previous = text_[t.end - 1];
                if (IsIdentifierChar(d) || d == '.') ++t.end;
                else if ((d == '+' || d == '-') && !hex && (previous == 'e' || previous == 'E')) ++t.end;
                else break;
            }
        } else if (c == '"') {
            t.type = TokenType::String;
            while (t.end < n && text_[t.end] != '"' && text_[t.end] != '\n') {
                if (text_[t.end] == '\\' && t.end + 1 < n && text_[t.end + 1] != '\n') ++t.end;
                ++t.end;
            }
            if (t.end >= n || text_[t.end] != '"') Fail(line, "unterminated string");
            ++t.end;
        }
        tokens_.push_back(t);
        i = t.end;
    }
    tokens_.push_back(Token{TokenType::End, n, n, line});
}

// `SamplerState name { Field = Value; ... };` and the other three kinds.
// A sampler stays in the HLSL as `SamplerState name;`, since the shaders
// sample through it; the other kinds go entirely.
void EffectParser::ParseStateObject() {
    const Token& keyword = Next();
    StateKind kind;
    StateKindFromKeyword(Text(keyword), kind);
    const char* kindName = StateKindKeyword(kind);
    const Token& nameToken = ExpectIdentifier((std::string("a name after '") + Text(keyword) + "'").c_str());
    std::string name = Text(nameToken);
    if (IsPunct(Peek(), '[')) Fail(Peek().line, std::string("arrays of ") + kindName + " objects are not supported");
    for (const StateObject& s : effect_.states)
        if (s.name == name) Fail(nameToken.line, "'" + name + "' is already defined");

    // A register binding such as `: register(s0)` stays with the sampler.
    if (IsPunct(Peek(), ':')) {
        while (Peek().type != TokenType::End && !IsPunct(Peek(), '{') && !IsPunct(Peek(), ';') &&
               !IsPunct(Peek(), '<'))
            Next();
    }
    size_t bodyStart = Peek().start;
    SkipAnnotations();

    StateObject state = DefaultStateObject(kind, name);
    if (IsPunct(Peek(), '{')) {
        Next();
        while (!IsPunct(Peek(), '}')) {
            const Token& field = ExpectIdentifier("a state field");
            int index = -1;
            if (IsPunct(Peek(), '[')) {
                Next();
                if (Peek().type != TokenType::Number) Fail(Peek().line, "expected an index");
                uint32_t value = ParseUnsigned();
                index = value > 1000 ? 1000 : static_cast<int>(value);
                Expect(']');
            }
            Expect('=');
            StateValue value;
            ParseStateValue(value);
            Expect(';');
            std::string error;
            if (!AssignState(state, Text(field), index, value, error)) Fail(field.line, error);
        }
        Next();
    }
    const Token& semicolon = Peek();
    if (!IsPunct(semicolon, ';'))
        Fail(semicolon.line, std::string("expected ';' after ") + kindName + " '" + name + "'");
    Next();
    if (kind == StateKind::Sampler) Blank(bodyStart, semicolon.start);
    else Blank(keyword.start, semicolon.end);
    effect_.states.push_back(state);
}

void EffectParser::ParseStateValue(StateValue& value) {
    const Token& t = Peek();
    if (t.type == TokenType::Identifier && !IsPunct(Peek(1), '(')) {
        value.kind = StateValue::Kind::Name;
        value.name = Text(Next());
        return;
    }
    if (t.type == TokenType::Identifier) {
        // A vector constructor such as float4(0, 0, 0, 1).
        std::string type = Text(Next());
        if (type != "float" && type != "float2" && type != "float3" && type != "float4")
            Fail(t.line, "'" + type + "' is not a valid state value");
        Expect('(');
        value.kind = StateValue::Kind::Vector;
        for (;;) {
            bool integral;
            value.numbers.push_back(ParseNumber(integral));
            if (IsPunct(Peek(), ')')) break;
            Expect(',');
        }
        Next();
        return;
    }
    value.kind = StateValue::Kind::Number;
    value.numbers.push_back(ParseNumber(value.integral));
}

// A numeric literal, optionally negated: decimal or hexadecimal integers
// and floating-point numbers with HLSL's suffixes.
double EffectParser::ParseNumber(bool& integral) {
    bool negative = false;
    if (IsPunct(Peek(), '-')) {
        negative = true;
        Next();
    }
    const Token& t = Peek();
    if (t.type != TokenType::Number) Fail(t.line, "expected a number, found '" + Text(t) + "'");
    Next();
    std::string s = Text(t);
    double value = 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        size_t end = s.size();
        if (s[end - 1] == 'u' || s[end - 1] == 'U' || s[end - 1] == 'l' || s[end - 1] == 'L') --end;
        if (end == 2 || end - 2 > 8) Fail(t.line, "invalid number '" + s + "'");
        for (size_t i = 2; i < end; ++i) {
            char c = s[i];
            int digit = IsDigit(c) ? c - '0' : (c >= 'a' && c <= 'f') ? c - 'a' + 10 : (c >= 'A' && c <= 'F') ? c - 'A' + 10 : -1;
            if (digit < 0) Fail(t.line, "invalid number '" + s + "'");
            value = value * 16 + digit;
        }
        integral = true;
    } else {
        size_t end = s.size();
        if (strchr("fFhHlLuU", s[end - 1])) --end;
        std::string digits = s.substr(0, end);
        integral = digits.find_first_of(".eE") == std::string::npos;
        errno = 0;
        char* stop = nullptr;
        value = strtod(digits.c_str(), &stop);
        if (digits.empty() || stop != digits.c_str() + digits.size() || errno == ERANGE)
            Fail(t.line, "invalid number '" + s + "'");
    }
    return negative ? -value : value;
}

uint32_t EffectParser::ParseUnsigned() {
    int line = Peek().line;
    bool integral;
    double value = ParseNumber(integral);
    if (!integral || value < 0 || value > std::numeric_limits<uint32_t>::max())
        Fail(line, "expected an unsigned integer");
    return static_cast<uint32_t>(value);
}

// `technique10 Name { pass P { ... } ... }`, blanked out of the HLSL whole.
void EffectParser::ParseTechnique() {
    const Token& keyword = Next();
    TechniqueDesc technique;
    int line = keyword.line;
    if (Peek().type == TokenType::Identifier) technique.name = Text(Next());
    if (!technique.name.empty())
        for (const TechniqueDesc& t : effect_.techniques)
            if (t.name == technique.name) Fail(line, "technique '" + technique.name + "' is already defined");
    SkipAnnotations();
    Expect('{');
    while (!IsPunct(Peek(), '}')) ParsePass(technique);
    size_t end = Next().end;
    if (IsPunct(Peek(), ';')) end = Next().end;
    Blank(keyword.start, end);
    effect_.techniques.push_back(std::move(technique));
}

void EffectParser::ParsePass(TechniqueDesc& technique) {
    const Token& keyword = Peek();
    if (!IsWord(keyword, "pass")) Fail(keyword.line, "expected 'pass', found '" + Text(keyword) + "'");
    Next();
    PassDesc pass;
    if (Peek().type == TokenType::Identifier) pass.name = Text(Next());
    SkipAnnotations();
    Expect('{');
    while (!IsPunct(Peek(), '}')) ParsePassCall(pass);
    Next();
    if (pass.vertexShader < 0) {
        std::string which = pass.name.empty() ? "a pass" : "pass '" + pass.name + "'";
        Fail(keyword.line, which + " sets no vertex shader");
    }
    technique.passes.push_back(std::move(pass));
}

void EffectParser::ParsePassCall(PassDesc& pass) {
    const Token& call = ExpectIdentifier("a pass state call");
    Expect('(');
    if (IsWordNoCase(call, "SetVertexShader")) {
        pass.vertexShader = ParseShader(ShaderStage::Vertex, call);
    } else if (IsWordNoCase(call, "SetPixelShader")) {
        pass.pixelShader = ParseShader(ShaderStage::Pixel, call);
    } else if (IsWordNoCase(call, "SetGeometryShader")) {
        if (!IsNull(Peek())) Fail(Peek().line, "geometry shaders are not supported");
        Next();
    } else if (IsWordNoCase(call, "SetBlendState")) {
        pass.setsBlendState = true;
        pass.blendState = ParseStateReference(StateKind::Blend);
        Expect(',');
        StateValue factor;
        int line = Peek().line;
        ParseStateValue(factor);
        if (factor.kind != StateValue::Kind::Vector || factor.numbers.size() != 4)
            Fail(line, "the blend factor must be a float4");
        for (int i = 0; i < 4; ++i) pass.blendFactor[i] = static_cast<float>(factor.numbers[i]);
        Expect(',');
        pass.sampleMask = ParseUnsigned();
    } else if (IsWordNoCase(call, "SetDepthStencilState")) {
        pass.setsDepthStencilState = true;
        pass.depthStencilState = ParseStateReference(StateKind::DepthStencil);
        Expect(',');
        pass.stencilRef = ParseUnsigned();
    } else if (IsWordNoCase(call, "SetRasterizerState")) {
        pass.setsRasterizerState = true;
        pass.rasterizerState = ParseStateReference(StateKind::Rasterizer);
    } else {
        Fail(call.line, "'" + Text(call) + "' is not a pass state");
    }
    Expect(')');
    Expect(';');
}

// NULL, or CompileShader(profile, Entry()); gives the index of the shader
// in the effect, or -1.
int EffectParser::ParseShader(ShaderStage stage, const Token& call) {
    const Token& t = Peek();
    if (IsNull(t)) {
        Next();
        return -1;
    }
    if (!IsWordNoCase(t, "CompileShader"))
        Fail(t.line, "expected CompileShader(...) or NULL in " + Text(call));
    Next();
    Expect('(');
    const Token& profileToken = ExpectIdentifier("a shader profile");
    std::string profile = Text(profileToken);
    if (!ProfileFitsStage(profile, stage))
        Fail(profileToken.line, "'" + profile + "' is not a valid profile for " + Text(call));
    Expect(',');
    const Token& entryToken = ExpectIdentifier("an entry point");
    std::string entry = Text(entryToken);
    Expect('(');
    if (!IsPunct(Peek(), ')')) Fail(Peek().line, "arguments to entry point '" + entry + "' are not supported");
    Next();
    Expect(')');
    entryPoints_.emplace_back(entry, entryToken.line);
    for (size_t i = 0; i < effect_.shaders.size(); ++i) {
        const ShaderEntry& s = effect_.shaders[i];
        if (s.stage == stage && s.entryPoint == entry && s.profile == profile) return static_cast<int>(i);
    }
    effect_.shaders.push_back(ShaderEntry{stage, entry, profile});
    return static_cast<int>(effect_.shaders.size() - 1);
}

int EffectParser::ParseStateReference(StateKind kind) {
    if (IsNull(Peek())) {
        Next();
        return -1;
    }
    const Token& nameToken = ExpectIdentifier(StateKindKeyword(kind));
    std::string name = Text(nameToken);
    for (size_t i = 0; i < effect_.states.size(); ++i) {
        if (effect_.states[i].name != name) continue;
        if (effect_.states[i].kind != kind)
            Fail(nameToken.line, "'" + name + "' is a " + StateKindKeyword(effect_.states[i].kind) + ", not a " +
                                     StateKindKeyword(kind));
        return static_cast<int>(i);
    }
    Fail(nameToken.line, std::string("undeclared ") + StateKindKeyword(kind) + " '" + name + "'");
}

// Annotations `< string UIName = "x"; >` carry nothing the runtime uses.
void EffectParser::SkipAnnotations() {
    if (!IsPunct(Peek(), '<')) return;
    int line = Peek().line;
    Next();
    while (!IsPunct(Peek(), '>')) {
        if (Peek().type == TokenType::End) Fail(line, "unterminated annotation");
        Next();
    }
    Next();
}

void EffectParser::Blank(size_t start, size_t end) {
    for (size_t i = start; i < end && i < text_.size(); ++i)
        if (text_[i] != '\n') text_[i] = ' ';
}

const EffectParser::Token& EffectParser::Peek(size_t ahead) const {
    size_t i = std::min(next_ + ahead, tokens_.size() - 1);
    return tokens_[i];
}

const EffectParser::Token& EffectParser::Next() {
    const Token& t = tokens_[next_];
    if (next_ + 1 < tokens_.size()) ++next_;
    return t;
}

std::string EffectParser::Text(const Token& token) const {
    if (token.type == TokenType::End) return "end of file";
    return text_.substr(token.start, token.end - token.start);
}

bool EffectParser::IsPunct(const Token& token, char c) const {
    return token.type == TokenType::Punct && text_[token.start] == c;
}

bool EffectParser::IsWord(const Token& token, const char* word) const {
    size_t length = strlen(word);
    return token.type == TokenType::Identifier && token.end - token.start == length &&
           text_.compare(token.start, length, word) == 0;
}

bool EffectParser::IsWordNoCase(const Token& token, const char* word) const {
    size_t length = strlen(word);
    return token.type == TokenType::Identifier && token.end - token.start == length &&
           strncasecmp(text_.data() + token.start, word, length) == 0;
}

bool EffectParser::IsNull(const Token& token) const {
    return IsWordNoCase(token, "NULL") || (token.type == TokenType::Number && Text(token) == "0");
}

const EffectParser::Token& EffectParser::Expect(char c) {
    const Token& t = Peek();
    if (!IsPunct(t, c)) Fail(t.line, std::string("expected '") + c + "', found '" + Text(t) + "'");
    return Next();
}

const EffectParser::Token& EffectParser::ExpectIdentifier(const char* what) {
    const Token& t = Peek();
    if (t.type != TokenType::Identifier) Fail(t.line, std::string("expected ") + what + ", found '" + Text(t) + "'");
    return Next();
}

void EffectParser::Fail(int line, const std::string& message) {
    messages_ += sourceName_ + "(" + std::to_string(line) + "): error: " + message + "\n";
    throw ParseError{};
}

}  // namespace fx
