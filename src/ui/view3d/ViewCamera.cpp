#include "ui/view3d/ViewCamera.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace quillfen::view3d {

namespace {

constexpr float kFieldOfViewDegrees = 45.0F;
constexpr float kSmallestDistance = 0.05F;

} // namespace

QVector3D toViewSpace(const shape::Vector3& point) {
    return {point.x, point.y, -point.z};
}

ViewCamera ViewCamera::framing(const shape::Box& box) {
    ViewCamera camera;
    if (box.empty) return camera;
    const shape::Vector3 size = box.size();
    const float radius =
        std::max(0.5F * std::sqrt(size.x * size.x + size.y * size.y + size.z * size.z), 0.5F);
    camera.target = toViewSpace(box.centre());
    // The whole sphere around the box fits the field of view, with a margin.
    camera.distance = 1.15F * radius / std::sin(qDegreesToRadians(kFieldOfViewDegrees / 2));
    return camera;
}

void ViewCamera::orbit(float yawChange, float pitchChange) {
    yawDegrees = std::fmod(yawDegrees + yawChange, 360.0F);
    pitchDegrees = std::clamp(pitchDegrees + pitchChange, -89.0F, 89.0F);
}

void ViewCamera::pan(float right, float up) {
    const QMatrix4x4 rotation = view().inverted();
    const QVector3D across = rotation.mapVector({1, 0, 0});
    const QVector3D upward = rotation.mapVector({0, 1, 0});
    target += (across * right + upward * up) * distance;
}

void ViewCamera::zoom(float factor) {
    distance = std::max(distance * factor, kSmallestDistance);
}

QVector3D ViewCamera::eye() const {
    const float yaw = qDegreesToRadians(yawDegrees);
    const float pitch = qDegreesToRadians(pitchDegrees);
    const QVector3D direction(std::cos(pitch) * std::sin(yaw), std::sin(pitch),
                              std::cos(pitch) * std::cos(yaw));
    return target + direction * distance;
}

QMatrix4x4 ViewCamera::view() const {
    QMatrix4x4 matrix;
    matrix.lookAt(eye(), target, {0, 1, 0});
    return matrix;
}

QMatrix4x4 ViewCamera::projection(float aspect) const {
    QMatrix4x4 matrix;
    matrix.perspective(kFieldOfViewDegrees, aspect, distance / 200.0F, distance * 20.0F + 1000.0F);
    return matrix;
}

} // namespace quillfen::view3d
