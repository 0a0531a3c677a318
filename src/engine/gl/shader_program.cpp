#include "engine/gl/shader_program.hpp"

#include "engine/error.hpp"

namespace kr::gl {

namespace {

using StatusQuery = void (*)(GLuint, GLenum, GLint*);
using LogQuery = void (*)(GLuint, GLsizei, GLsizei*, GLchar*);
using Deleter = void (*)(GLuint);

// Throws with the driver's log when a compile or link step failed.
void Check(GLuint object, GLenum status, StatusQuery query, LogQuery readLog, Deleter destroy, const char* what) {
    GLint ok = GL_FALSE;
    query(object, status, &ok);
    if (ok) return;
    char log[2048] = {};
    readLog(object, sizeof log, nullptr, log);
    destroy(object);
    throw Error(std::string(what) + log);
}

GLuint Compile(GLenum type, const std::string& source) {
    GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    Check(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, glDeleteShader, "shader compilation failed: ");
    return shader;
}

}  // namespace

GLuint BuildProgram(const std::string& vertexSource, const std::string& fragmentSource) {
    GLuint vs = Compile(GL_VERTEX_SHADER, vertexSource);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, fragmentSource);
    GLuint program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    Check(program, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, glDeleteProgram,
          "shader program failed to link: ");
    return program;
}

}  // namespace kr::gl
