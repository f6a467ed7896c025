// A linked GL program of one effect pass, with the uniform buffer that holds
// its $Global block and the vertex inputs it reads.
#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "InputSignature.h"

namespace d3d10 {

class Device;

class ShaderProgram {
public:
    // Compiles and links the two stages; on failure writes GL's info log
    // to standard error and returns null.
    static std::unique_ptr<ShaderProgram> Link(Device* device, const std::string& label,
                                               const std::string& vertexSource, const std::string& fragmentSource);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    GLuint Name() const { return name_; }

    // Points a combined sampler of the GLSL at a texture unit; false when
    // the program has no such sampler (the compiler dropped it).
    bool BindSampler(const std::string& glslName, GLint unit);

    // The uniform buffer backing the $Global block at these binding points.
    void SetUniformBuffer(GLuint buffer, std::vector<GLuint> bindings);
    GLuint UniformBuffer() const { return uniformBuffer_; }
    const std::vector<GLuint>& UniformBindings() const { return uniformBindings_; }

    void SetInputs(InputSignature inputs);
    const InputSignature& Inputs() const { return inputs_; }
    // The inputs as encoded bytes: the key input layouts file their vertex
    // arrays under.
    const std::string& InputKey() const { return inputKey_; }
    // The vertex shader reads SV_VertexID: its draws must number their
    // vertices as Draw does.
    bool ReadsVertexId() const { return readsVertexId_; }

private:
    ShaderProgram(Device* device, GLuint name) : device_(device), name_(name) {}

    Device* device_;
    GLuint name_;
    GLuint uniformBuffer_ = 0;
    std::vector<GLuint> uniformBindings_;
    InputSignature inputs_;
    std::string inputKey_;
    bool readsVertexId_ = false;
};

}  // namespace d3d10
