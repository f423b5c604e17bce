// Building, combining and applying 4 x 4 transform matrices for row vectors.
#include "model/base/tbMatrix.h"

#include <cmath>
#include <utility>

tbMatrix operator*(const tbMatrix& a, const tbMatrix& b)
{
    tbMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] =
                a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
    return r;
}

bool operator==(const tbMatrix& a, const tbMatrix& b)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (a.m[i][j] != b.m[i][j])
                return false;
    return true;
}

tbMatrix tbMatrixIdentity()
{
    tbMatrix r;
    for (int i = 0; i < 4; ++i)
        r.m[i][i] = 1.0f;
    return r;
}

tbMatrix tbMatrixTranslation(const tbVector3& v)
{
    tbMatrix r = tbMatrixIdentity();
    r.m[3][0] = v.x;
    r.m[3][1] = v.y;
    r.m[3][2] = v.z;
    return r;
}

tbMatrix tbMatrixScaling(const tbVector3& v)
{
    tbMatrix r;
    r.m[0][0] = v.x;
    r.m[1][1] = v.y;
    r.m[2][2] = v.z;
    r.m[3][3] = 1.0f;
    return r;
}

tbMatrix tbMatrixRotationX(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    tbMatrix r = tbMatrixIdentity();
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

tbMatrix tbMatrixRotationY(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    tbMatrix r = tbMatrixIdentity();
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

tbMatrix tbMatrixRotationZ(float angle)
{
    const float c = std::cos(angle), s = std::sin(angle);
    tbMatrix r = tbMatrixIdentity();
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

tbMatrix tbMatrixRotation(const tbVector3& angles)
{
    return tbMatrixRotationX(angles.x) * tbMatrixRotationY(angles.y) * tbMatrixRotationZ(angles.z);
}

tbMatrix tbMatrixRotationAxis(const tbVector3& axis, float angle)
{
    const tbVector3 a = tbVector3Normalize(axis);
    const float c = std::cos(angle), s = std::sin(angle), t = 1.0f - c;
    tbMatrix r = tbMatrixIdentity();
    r.m[0][0] = t * a.x * a.x + c;
    r.m[0][1] = t * a.x * a.y + s * a.z;
    r.m[0][2] = t * a.x * a.z - s * a.y;
    r.m[1][0] = t * a.x * a.y - s * a.z;
    r.m[1][1] = t * a.y * a.y + c;
    r.m[1][2] = t * a.y * a.z + s * a.x;
    r.m[2][0] = t * a.x * a.z + s * a.y;
    r.m[2][1] = t * a.y * a.z - s * a.x;
    r.m[2][2] = t * a.z * a.z + c;
    return r;
}

tbMatrix tbMatrixTranspose(const tbMatrix& m)
{
    tbMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m.m[j][i];
    return r;
}

tbMatrix tbMatrixInvert(const tbMatrix& m)
{
    // Gauss-Jordan elimination with partial pivoting, in double.
    double a[4][8];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            a[i][j] = m.m[i][j];
            a[i][j + 4] = i == j ? 1.0 : 0.0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 4; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        if (std::fabs(a[pivot][col]) < 1e-12)
            return tbMatrixIdentity();
        if (pivot != col)
            for (int j = 0; j < 8; ++j)
                std::swap(a[col][j], a[pivot][j]);
        const double scale = 1.0 / a[col][col];
        for (int j = 0; j < 8; ++j)
            a[col][j] *= scale;
        for (int row = 0; row < 4; ++row) {
            if (row == col)
                continue;
            const double factor = a[row][col];
            for (int j = 0; j < 8; ++j)
                a[row][j] -= factor * a[col][j];
        }
    }
    tbMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = static_cast<float>(a[i][j + 4]);
    return r;
}

tbMatrix tbMatrixCamera(const tbVector3& eye, const tbVector3& target, const tbVector3& up)
{
    const tbVector3 zAxis = tbVector3Normalize(target - eye);
    const tbVector3 xAxis = tbVector3Normalize(tbVector3Cross(up, zAxis));
    const tbVector3 yAxis = tbVector3Cross(zAxis, xAxis);
    tbMatrix r = tbMatrixIdentity();
    const tbVector3 axes[3] = {xAxis, yAxis, zAxis};
    for (int j = 0; j < 3; ++j) {
        r.m[0][j] = axes[j].x;
        r.m[1][j] = axes[j].y;
        r.m[2][j] = axes[j].z;
        r.m[3][j] = -tbVector3Dot(axes[j], eye);
    }
    return r;
}

tbMatrix tbMatrixProjection(float fov, float aspect, float nearPlane, float farPlane)
{
    const float yScale = 1.0f / std::tan(fov * 0.5f);
    const float depth = farPlane - nearPlane;
    tbMatrix r;
    r.m[0][0] = yScale / aspect;
    r.m[1][1] = yScale;
    r.m[2][2] = (farPlane + nearPlane) / depth;
    r.m[2][3] = 1.0f;
    r.m[3][2] = -2.0f * nearPlane * farPlane / depth;
    return r;
}

tbMatrix tbMatrixOrtho(float width, float height, float nearPlane, float farPlane)
{
    const float depth = farPlane - nearPlane;
    tbMatrix r;
    r.m[0][0] = 2.0f / width;
    r.m[1][1] = 2.0f / height;
    r.m[2][2] = 2.0f / depth;
    r.m[3][2] = -(farPlane + nearPlane) / depth;
    r.m[3][3] = 1.0f;
    return r;
}

tbVector3 tbVector3TransformCoords(const tbVector3& v, const tbMatrix& m)
{
    const tbVector3 r{v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0],
                      v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1],
                      v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2]};
    const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    return w != 0.0f ? r / w : r;
}

tbVector3 tbVector3TransformNormal(const tbVector3& v, const tbMatrix& m)
{
    return {v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0],
            v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1],
            v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2]};
}
