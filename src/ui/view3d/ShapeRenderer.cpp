#include "ui/view3d/ShapeRenderer.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace quillfen::view3d {

namespace {

static_assert(sizeof(shape::MeshVertex) == 8 * sizeof(float),
              "mesh vertices are uploaded as they lie in memory");

const char* const kMeshVertexShader = R"(
attribute vec3 position;
attribute vec3 normal;
attribute vec2 uv;
uniform mat4 viewProjection;
varying vec3 shadeNormal;
varying vec2 pictureUv;
void main() {
    shadeNormal = vec3(normal.xy, -normal.z);
    pictureUv = uv;
    gl_Position = viewProjection * vec4(position.xy, -position.z, 1.0);
}
)";

// Lit alike from either side of the normal: a smoothed normal may lean away
// from the viewer on a face that is seen from the front.
const char* const kMeshFragmentShader = R"(
uniform sampler2D picture;
uniform float alphaReference;
uniform vec3 lightDirection;
varying vec3 shadeNormal;
varying vec2 pictureUv;
void main() {
    vec4 colour = texture2D(picture, pictureUv);
    if (colour.a < alphaReference) discard;
    float light = 0.6 + 0.4 * abs(dot(normalize(shadeNormal), lightDirection));
    gl_FragColor = vec4(colour.rgb * light, colour.a);
}
)";

const char* const kLineVertexShader = R"(
attribute vec3 position;
uniform mat4 viewProjection;
void main() { gl_Position = viewProjection * vec4(position, 1.0); }
)";

const char* const kLineFragmentShader = R"(
uniform vec4 colour;
void main() { gl_FragColor = colour; }
)";

/// The alpha below which the engines drop a pixel of an alpha-tested state.
constexpr float kAlphaTestReference = 200.0F / 255.0F;
/// Blended states drop only what is all but invisible, so it writes no depth either.
constexpr float kBlendReference = 10.0F / 255.0F;

constexpr int kCheckerSide = 64;
constexpr int kCheckerSquare = 8;

QImage checkerPicture() {
    QImage image(kCheckerSide, kCheckerSide, QImage::Format_RGBA8888);
    for (int y = 0; y < kCheckerSide; ++y)
        for (int x = 0; x < kCheckerSide; ++x)
            image.setPixel(x, y, ((x / kCheckerSquare + y / kCheckerSquare) % 2) ? 0xFF000000 : 0xFFFF00FF);
    return image;
}

std::unique_ptr<QOpenGLTexture> uploadPicture(const QImage& picture, bool smooth) {
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    auto texture = std::make_unique<QOpenGLTexture>(QOpenGLTexture::Target2D);
    texture->setSize(rgba.width(), rgba.height());
    texture->setFormat(QOpenGLTexture::RGBA8_UNorm);
    texture->setMipLevels(smooth ? texture->maximumMipLevels() : 1);
    texture->allocateStorage(QOpenGLTexture::RGBA, QOpenGLTexture::UInt8);
    // The smaller levels are made here, not by OpenGL: Mesa's software renderer
    // first compiles the programs it makes them with, which took longer (about
    // 90 ms in each new context) than the rest of the example's first frame.
    texture->setAutoMipMapGenerationEnabled(false);
    // Row 0 of the picture is its top, which is where the simulator's v = 0 lies.
    texture->setData(0, QOpenGLTexture::RGBA, QOpenGLTexture::UInt8, rgba.constBits());
    if (smooth) {
        QImage level = rgba;
        for (int mip = 1; mip < texture->mipLevels(); ++mip) {
            level = level.scaled(std::max(1, level.width() / 2), std::max(1, level.height() / 2),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            texture->setData(mip, QOpenGLTexture::RGBA, QOpenGLTexture::UInt8, level.constBits());
        }
        texture->setMinMagFilters(QOpenGLTexture::LinearMipMapLinear, QOpenGLTexture::Linear);
    } else {
        texture->setMinMagFilters(QOpenGLTexture::Nearest, QOpenGLTexture::Nearest);
    }
    texture->setWrapMode(QOpenGLTexture::Repeat);
    return texture;
}

float alphaReferenceOf(shape::BlendMode mode) {
    switch (mode) {
    case shape::BlendMode::AlphaTest:
        return kAlphaTestReference;
    case shape::BlendMode::AlphaBlend:
        return kBlendReference;
    case shape::BlendMode::Opaque:
        break;
    }
    return -1.0F;
}

} // namespace

ShapeRenderer::ShapeRenderer(const ShapeScene& scene) : m_scene(scene) {
    initializeOpenGLFunctions();
    buildPrograms();
    uploadPictures();
}

ShapeRenderer::~ShapeRenderer() = default;

void ShapeRenderer::buildPrograms() {
    const auto build = [this](QOpenGLShaderProgram& program, const char* vertex, const char* fragment) {
        if (!program.addShaderFromSourceCode(QOpenGLShader::Vertex, vertex) ||
            !program.addShaderFromSourceCode(QOpenGLShader::Fragment, fragment) || !program.link())
            m_error = program.log();
    };
    build(m_meshProgram, kMeshVertexShader, kMeshFragmentShader);
    build(m_lineProgram, kLineVertexShader, kLineFragmentShader);
}

void ShapeRenderer::uploadPictures() {
    QImage white(1, 1, QImage::Format_RGBA8888);
    white.fill(Qt::white);
    m_white = uploadPicture(white, false);
    m_checker = uploadPicture(checkerPicture(), false);
    for (const SceneImage& image : m_scene.images())
        m_pictures.push_back(image.picture ? uploadPicture(*image.picture, true) : nullptr);
}

QOpenGLTexture* ShapeRenderer::pictureOf(std::size_t material) {
    const auto image = m_scene.imageOf(material);
    if (!image) return m_white.get();
    if (m_scene.images()[*image].missing) return m_checker.get();
    // A file that could not be decoded shows the shape's form without its picture.
    return m_pictures[*image] ? m_pictures[*image].get() : m_white.get();
}

ShapeRenderer::LevelBuffers& ShapeRenderer::levelBuffers(std::size_t level) {
    auto& slot = m_levels[level];
    if (!slot) {
        const shape::LevelMesh& mesh = m_scene.level(level);
        slot = std::make_unique<LevelBuffers>();
        slot->vertices.create();
        slot->vertices.bind();
        slot->vertices.allocate(mesh.vertices.data(),
                                static_cast<int>(mesh.vertices.size() * sizeof(shape::MeshVertex)));
        slot->indices.create();
        slot->indices.bind();
        slot->indices.allocate(mesh.indices.data(),
                               static_cast<int>(mesh.indices.size() * sizeof(std::uint32_t)));
    }
    return *slot;
}

void ShapeRenderer::render(const ViewCamera& camera, QSize pixels, const FrameOptions& options) {
    glViewport(0, 0, pixels.width(), pixels.height());
    const QColor background = QColor::fromRgba(kBackground);
    glClearColor(background.redF(), background.greenF(), background.blueF(), 1.0F);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!ready()) return;
    glEnable(GL_DEPTH_TEST);
    // Back faces are culled as the simulator's engines cull them: a face is
    // seen from the front where its corners run clockwise on the screen, as
    // the converter writes them (a two-sided material gets a second, reversed
    // triangle). Half the triangles of a shape need no rasterising.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CW);
    const float aspect =
        static_cast<float>(pixels.width()) / static_cast<float>(std::max(pixels.height(), 1));
    const QMatrix4x4 viewProjection = camera.projection(aspect) * camera.view();
    const shape::LevelMesh& mesh = m_scene.level(options.level);
    if (options.showGrid) drawLines(viewProjection, groundGridLines(m_scene.box()), QColor(90, 100, 110));
    drawMesh(viewProjection, options.level);
    if (options.showBox && !mesh.box.empty)
        drawLines(viewProjection, boxLines(mesh.box), QColor(255, 220, 0));
}

void ShapeRenderer::drawMesh(const QMatrix4x4& viewProjection, std::size_t level) {
    const shape::LevelMesh& mesh = m_scene.level(level);
    if (mesh.batches.empty()) return;
    LevelBuffers& buffers = levelBuffers(level);
    m_meshProgram.bind();
    m_meshProgram.setUniformValue("viewProjection", viewProjection);
    m_meshProgram.setUniformValue("picture", 0);
    m_meshProgram.setUniformValue("lightDirection", QVector3D(0.4F, 0.8F, 0.45F).normalized());
    buffers.vertices.bind();
    buffers.indices.bind();
    const int position = m_meshProgram.attributeLocation("position");
    const int normal = m_meshProgram.attributeLocation("normal");
    const int uv = m_meshProgram.attributeLocation("uv");
    m_meshProgram.enableAttributeArray(position);
    m_meshProgram.enableAttributeArray(normal);
    m_meshProgram.enableAttributeArray(uv);
    m_meshProgram.setAttributeBuffer(position, GL_FLOAT, offsetof(shape::MeshVertex, position), 3,
                                     sizeof(shape::MeshVertex));
    m_meshProgram.setAttributeBuffer(normal, GL_FLOAT, offsetof(shape::MeshVertex, normal), 3,
                                     sizeof(shape::MeshVertex));
    m_meshProgram.setAttributeBuffer(uv, GL_FLOAT, offsetof(shape::MeshVertex, uv), 2,
                                     sizeof(shape::MeshVertex));
    glActiveTexture(GL_TEXTURE0);
    for (const shape::MeshBatch& batch : mesh.batches) {
        const shape::BlendMode blend = m_scene.materials()[batch.material].blend;
        const bool blended = blend == shape::BlendMode::AlphaBlend;
        if (blended) {
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        } else {
            glDisable(GL_BLEND);
        }
        glDepthMask(blended ? GL_FALSE : GL_TRUE);
        m_meshProgram.setUniformValue("alphaReference", alphaReferenceOf(blend));
        pictureOf(batch.material)->bind(0);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indexCount), GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(batch.firstIndex * sizeof(std::uint32_t)));
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    m_meshProgram.disableAttributeArray(position);
    m_meshProgram.disableAttributeArray(normal);
    m_meshProgram.disableAttributeArray(uv);
    buffers.vertices.release();
    buffers.indices.release();
    m_meshProgram.release();
}

void ShapeRenderer::drawLines(const QMatrix4x4& viewProjection, const std::vector<QVector3D>& points,
                              const QColor& colour) {
    m_lineProgram.bind();
    m_lineProgram.setUniformValue("viewProjection", viewProjection);
    m_lineProgram.setUniformValue("colour", colour);
    const int position = m_lineProgram.attributeLocation("position");
    m_lineProgram.enableAttributeArray(position);
    m_lineProgram.setAttributeArray(position, points.data());
    glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(points.size()));
    m_lineProgram.disableAttributeArray(position);
    m_lineProgram.release();
}

std::vector<QVector3D> groundGridLines(const shape::Box& box) {
    const float reach =
        box.empty
            ? 0.0F
            : std::max({std::abs(box.min.x), std::abs(box.max.x), std::abs(box.min.z), std::abs(box.max.z)});
    const float spacing = reach > 100.0F ? 10.0F : 1.0F;
    const int steps = static_cast<int>(std::ceil(std::max(reach * 1.25F, 10.0F * spacing) / spacing));
    const float edge = static_cast<float>(steps) * spacing;
    std::vector<QVector3D> lines;
    for (int i = -steps; i <= steps; ++i) {
        const float at = static_cast<float>(i) * spacing;
        lines.insert(lines.end(), {{at, 0, -edge}, {at, 0, edge}, {-edge, 0, at}, {edge, 0, at}});
    }
    return lines;
}

std::vector<QVector3D> boxLines(const shape::Box& box) {
    std::vector<QVector3D> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back(toViewSpace({(i & 1) ? box.max.x : box.min.x, (i & 2) ? box.max.y : box.min.y,
                                       (i & 4) ? box.max.z : box.min.z}));
    std::vector<QVector3D> lines;
    for (int i = 0; i < 8; ++i)
        for (const int bit : {1, 2, 4})
            if (!(i & bit))
                lines.insert(lines.end(), {corners[static_cast<std::size_t>(i)],
                                           corners[static_cast<std::size_t>(i | bit)]});
    return lines;
}

} // namespace quillfen::view3d
