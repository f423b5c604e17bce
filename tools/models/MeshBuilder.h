// Builds the parts of a model from boxes, general six-sided blocks, cylinders and tori.
#pragma once

#include "model/base/tbMatrix.h"
#include "model/mesh/Q3dModel.h"

#include <string>

class MeshBuilder
{
public:
    // Starts a new part; the shapes that follow go into it.
    MeshBuilder& Part(const std::string& name, tbColor colour, Q3dModel::Pass pass = Q3dModel::Pass::Opaque,
                      const std::string& texture = {});

    // An axis-aligned box; texture coordinates run 0 .. uvScale over each face.
    MeshBuilder& Box(tbVector3 min, tbVector3 max, float uvScale = 1.0f);
    // A convex block given by its eight corners: the four at min z (x-, y-; x-, y+; x+, y+; x+, y-)
    // and then the four at max z in the same order.
    MeshBuilder& Block(const tbVector3 (&corners)[8]);
    // A cylinder between the centres of its two end discs.
    MeshBuilder& Cylinder(tbVector3 from, tbVector3 to, float radius, int segments = 12);
    // A ring about `axis` through `centre`, the tube of radius `tube` at distance `radius`, stretched
    // by `stretch` along the direction `along` (perpendicular to the axis; zero for a round ring).
    MeshBuilder& Torus(tbVector3 centre, tbVector3 axis, float radius, float tube, int segments = 12,
                       int tubeSegments = 6, tbVector3 along = {}, float stretch = 0.0f);
    // A flat quad seen from the side of `normal`, corners in any order around it.
    MeshBuilder& Quad(tbVector3 a, tbVector3 b, tbVector3 c, tbVector3 d, tbVector3 normal, float uMax = 1.0f,
                      float vMax = 1.0f);

    // Moves every vertex of the current part added since `Mark` by `m`.
    std::size_t Mark() const;
    void TransformSince(std::size_t mark, const tbMatrix& m);

    Q3dModel Take() { return std::move(m_model); }

private:
    std::uint32_t Vertex(tbVector3 p, tbVector3 n, float u, float v);
    // A triangle whose front face (clockwise) looks towards `outward`.
    void Triangle(std::uint32_t a, std::uint32_t b, std::uint32_t c, tbVector3 outward);
    Q3dModel::Part& Current();

    Q3dModel m_model;
};
