#include "model/solid_check.h"

#include <utility>

#include "model/face_cutting.h"

Mesh checkedSolid(Mesh mesh, const FaceFault& fault) {
  if (mesh.faces.empty()) throw fault(kWholeSolid, "no faces");
  std::vector<Ring> pieces;
  std::vector<std::size_t> pieceOf;  // the face each piece was cut from
  for (std::size_t f = 0; f < mesh.faces.size(); ++f) {
    std::vector<Ring> cut = convexPieces(mesh.points, mesh.faces[f]);
    if (cut.empty()) {
      throw fault(f, mesh.faces[f].size() > std::size_t(kMaxClippedFaceSize)
                         ? "a non-convex face of more than " + std::to_string(kMaxClippedFaceSize) + " points"
                         : std::string("the face crosses itself"));
    }
    for (Ring& piece : cut) {
      pieces.push_back(std::move(piece));
      pieceOf.push_back(f);
    }
  }
  mesh.faces = std::move(pieces);
  // Checked as cut: a bent face may fold onto a neighbour once cut.
  if (const auto defect = findMeshFault(mesh)) {
    throw fault(defect->from == defect->to ? kWholeSolid : pieceOf[defect->face], defect->message);
  }
  return mesh;
}
