#pragma once
// The 3D view's camera: it orbits a target point at a distance, turned by yaw
// about the vertical and tilted by pitch, and can be moved sideways (pan).

#include "shape/ShapeMesh.h"

#include <QMatrix4x4>
#include <QVector3D>

namespace quillfen::view3d {

struct ViewCamera {
    float yawDegrees = 35.0F;
    float pitchDegrees = 20.0F;
    float distance = 10.0F;
    QVector3D target;

    /// The camera that shows the whole box from the usual three-quarter angle.
    static ViewCamera framing(const shape::Box& box);

    void orbit(float yawChange, float pitchChange);
    /// Moves the target by a fraction of the distance, across and up the screen.
    void pan(float right, float up);
    /// Changes the distance by a factor (below 1 comes closer).
    void zoom(float factor);

    [[nodiscard]] QVector3D eye() const;
    [[nodiscard]] QMatrix4x4 view() const;
    [[nodiscard]] QMatrix4x4 projection(float aspect) const;
};

/// The simulator's left-handed frame as OpenGL's right-handed one: z mirrored.
[[nodiscard]] QVector3D toViewSpace(const shape::Vector3& point);

} // namespace quillfen::view3d
