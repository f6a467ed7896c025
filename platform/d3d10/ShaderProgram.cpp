#include "ShaderProgram.h"

#include <cstdio>
#include <cstring>

#include "Device.h"

namespace d3d10 {

namespace {

std::string InfoLog(GLuint object, bool isProgram) {
    GLint length = 0;
    if (isProgram)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    if (isProgram)
        glGetProgramInfoLog(object, length, nullptr, &log[0]);
    else
        glGetShaderInfoLog(object, length, nullptr, &log[0]);
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    return log;
}

GLuint CompileStage(GLenum stage, const std::string& source, const std::string& label) {
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        std::fprintf(stderr, "D3D10: %s: the %s shader's GLSL does not compile:\n%s\n", label.c_str(),
                     stage == GL_VERTEX_SHADER ? "vertex" : "pixel", InfoLog(shader, false).c_str());
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Whether the linked program's vertex stage reads this built-in input.
bool ReadsBuiltIn(GLuint program, const char* name) {
    GLint inputs = 0;
    glGetProgramInterfaceiv(program, GL_PROGRAM_INPUT, GL_ACTIVE_RESOURCES, &inputs);
    for (GLint i = 0; i < inputs; ++i) {
        char text[64] = {};
        glGetProgramResourceName(program, GL_PROGRAM_INPUT, static_cast<GLuint>(i), sizeof text, nullptr, text);
        if (std::strcmp(text, name) == 0) return true;
    }
    return false;
}

}  // namespace

std::unique_ptr<ShaderProgram> ShaderProgram::Link(Device* device, const std::string& label,
                                                   const std::string& vertexSource,
                                                   const std::string& fragmentSource) {
    if (!device->Activate()) return nullptr;
    GLuint vertex = CompileStage(GL_VERTEX_SHADER, vertexSource, label);
    GLuint fragment = fragmentSource.empty() ? 0 : CompileStage(GL_FRAGMENT_SHADER, fragmentSource, label);
    if (!vertex || (!fragmentSource.empty() && !fragment)) {
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        return nullptr;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    if (fragment) glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        std::fprintf(stderr, "D3D10: %s: the shaders do not link:\n%s\n", label.c_str(),
                     InfoLog(program, true).c_str());
        glDeleteProgram(program);
        return nullptr;
    }
    std::unique_ptr<ShaderProgram> linked(new ShaderProgram(device, program));
    linked->readsVertexId_ = ReadsBuiltIn(program, "gl_VertexID");
    return linked;
}

ShaderProgram::~ShaderProgram() {
    if (!device_->Activate()) return;
    glDeleteProgram(name_);
    if (uniformBuffer_) glDeleteBuffers(1, &uniformBuffer_);
}

bool ShaderProgram::BindSampler(const std::string& glslName, GLint unit) {
    GLint location = glGetUniformLocation(name_, glslName.c_str());
    if (location < 0) return false;
    glProgramUniform1i(name_, location, unit);
    return true;
}

void ShaderProgram::SetUniformBuffer(GLuint buffer, std::vector<GLuint> bindings) {
    uniformBuffer_ = buffer;
    uniformBindings_ = std::move(bindings);
}

void ShaderProgram::SetInputs(InputSignature inputs) {
    inputs_ = std::move(inputs);
    const std::vector<uint8_t> bytes = EncodeInputSignature(inputs_);
    inputKey_.assign(bytes.begin(), bytes.end());
}

}  // namespace d3d10
