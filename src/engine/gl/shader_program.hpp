#pragma once
// Compiling and linking GLSL programs; failures throw with the driver's log.

#include <epoxy/gl.h>

#include <string>

namespace kr::gl {

GLuint BuildProgram(const std::string& vertexSource, const std::string& fragmentSource);

}  // namespace kr::gl
