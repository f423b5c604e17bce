// A 4 x 4 matrix of floats for row vectors (v' = v x M, translation in the fourth row) and the
// functions that build and apply transforms: left-handed camera and projections with clip depth -1 .. 1.
#pragma once

#include "model/base/tbVector3.h"

struct tbMatrix
{
    // Row-major: m[row][column]; m[3][0..2] is the translation.
    float m[4][4] = {};

    float& operator()(int row, int column) { return m[row][column]; }
    float operator()(int row, int column) const { return m[row][column]; }
    // The 16 floats row by row, as a shader reads them unchanged.
    const float* Data() const { return &m[0][0]; }
};

tbMatrix operator*(const tbMatrix& a, const tbMatrix& b);
bool operator==(const tbMatrix& a, const tbMatrix& b);
inline bool operator!=(const tbMatrix& a, const tbMatrix& b)
{
    return !(a == b);
}

tbMatrix tbMatrixIdentity();
tbMatrix tbMatrixTranslation(const tbVector3& v);
tbMatrix tbMatrixScaling(const tbVector3& v);
// Rotations by `angle` radians, clockwise about the axis as seen looking along it towards the origin
// from its positive end (left-handed).
tbMatrix tbMatrixRotationX(float angle);
tbMatrix tbMatrixRotationY(float angle);
tbMatrix tbMatrixRotationZ(float angle);
// Rotation about x, then y, then z by the three components of `angles`.
tbMatrix tbMatrixRotation(const tbVector3& angles);
// Rotation about an axis through the origin (normalised here).
tbMatrix tbMatrixRotationAxis(const tbVector3& axis, float angle);
tbMatrix tbMatrixTranspose(const tbMatrix& m);
// The inverse; the identity when `m` cannot be inverted (determinant 0).
tbMatrix tbMatrixInvert(const tbMatrix& m);

// Left-handed view matrix: the eye at the origin looking along +z, `up` towards +y.
tbMatrix tbMatrixCamera(const tbVector3& eye, const tbVector3& target, const tbVector3& up);
// Left-handed perspective: vertical field of view `fov` (radians), aspect = width / height. Points at
// distance `nearPlane` end at clip depth -1, at `farPlane` at +1.
tbMatrix tbMatrixProjection(float fov, float aspect, float nearPlane, float farPlane);
// Left-handed orthographic projection of a view `width` x `height`; depth as above.
tbMatrix tbMatrixOrtho(float width, float height, float nearPlane, float farPlane);

// The point v (w = 1) transformed, with the resulting w divided out (w 0 leaves it undivided).
tbVector3 tbVector3TransformCoords(const tbVector3& v, const tbMatrix& m);
// The direction v (w = 0) transformed: rotation and scaling only.
tbVector3 tbVector3TransformNormal(const tbVector3& v, const tbMatrix& m);
