#pragma once

#include <string>
#include <vector>

// One triangle of an OBJ file. The three index triples are 0-based; an index
// the file does not give stays 0.
struct Face {
    int normalIndices[3] = {0, 0, 0};   // into ObjData::normals
    int vertexIndices[3] = {0, 0, 0};   // into ObjData::vertices
    int texCoordIndices[3] = {0, 0, 0}; // into ObjData::texCoords
};

// One parsed OBJ file, shared by every model node built from the same path.
struct ObjData {
    int nrNormals = 0;            // number of "vn" lines
    int nrTexCoords = 0;          // number of "vt" lines
    int nrVertices = 0;           // number of other lines beginning with 'v'
    int nrFaces = 0;              // number of lines beginning with 'f'
    std::vector<float> vertices;  // x, y, z per vertex, in file order
    std::vector<float> normals;   // x, y, z per normal
    std::vector<float> texCoords; // u, v per texture coordinate
    std::vector<Face> faces;      // triangles in file order
    std::string path;             // where the record was read from, for the log
};
