#pragma once
// Draws a ShapeScene with OpenGL 2.1 (what Mesa's software renderer and every
// Windows driver offer): the level's triangles with their pictures, opaque
// first, then alpha-tested, then blended without writing depth; a ground grid
// in metres and the wire box of the level. One renderer serves the window and
// the offscreen pictures of `quillfen-cli render`. Every call needs the
// renderer's OpenGL context to be current, the destructor included.

#include "ui/view3d/ShapeScene.h"
#include "ui/view3d/ViewCamera.h"

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QSize>

#include <map>
#include <memory>
#include <vector>

namespace quillfen::view3d {

/// What a frame shows besides the shape.
struct FrameOptions {
    std::size_t level = 0;
    bool showBox = true;
    bool showGrid = true;
};

/// The colour behind the shape.
inline constexpr QRgb kBackground = 0xFF9DB4C8;

class ShapeRenderer : protected QOpenGLFunctions {
public:
    /// Compiles the programs and uploads the pictures; `scene` must outlive the renderer.
    explicit ShapeRenderer(const ShapeScene& scene);
    ~ShapeRenderer();
    ShapeRenderer(const ShapeRenderer&) = delete;
    ShapeRenderer& operator=(const ShapeRenderer&) = delete;

    /// False (with the reason in `error()`) when the programs did not compile.
    [[nodiscard]] bool ready() const { return m_error.isEmpty(); }
    [[nodiscard]] const QString& error() const { return m_error; }

    void render(const ViewCamera& camera, QSize pixels, const FrameOptions& options);

private:
    struct LevelBuffers {
        QOpenGLBuffer vertices{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
    };

    const ShapeScene& m_scene;
    QString m_error;
    QOpenGLShaderProgram m_meshProgram;
    QOpenGLShaderProgram m_lineProgram;
    std::vector<std::unique_ptr<QOpenGLTexture>> m_pictures; ///< per scene image; empty where it has none
    std::unique_ptr<QOpenGLTexture> m_white;
    std::unique_ptr<QOpenGLTexture> m_checker;
    std::map<std::size_t, std::unique_ptr<LevelBuffers>> m_levels;

    void buildPrograms();
    void uploadPictures();
    LevelBuffers& levelBuffers(std::size_t level);
    QOpenGLTexture* pictureOf(std::size_t material);
    void drawMesh(const QMatrix4x4& viewProjection, std::size_t level);
    void drawLines(const QMatrix4x4& viewProjection, const std::vector<QVector3D>& points,
                   const QColor& colour);
};

/// The lines of the ground grid around a box, one metre apart (ten metres for
/// large shapes), as pairs of end points in view space.
[[nodiscard]] std::vector<QVector3D> groundGridLines(const shape::Box& box);
/// The twelve edges of a box as pairs of end points in view space.
[[nodiscard]] std::vector<QVector3D> boxLines(const shape::Box& box);

} // namespace quillfen::view3d
