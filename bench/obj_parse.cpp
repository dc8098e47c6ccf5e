// Reading a large model: our OBJ reader against tinyobjloader on the same
// generated file (a UV sphere of about one million triangles with positions,
// texture coordinates and normals). Reports bytes per second for both.

#include "collection/obj_parser.h"
#include "collection/text_file.h"

#include <benchmark/benchmark.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr int kStacks = 500;
constexpr int kSlices = 1000; // 2 * (kStacks - 1) * kSlices triangles

int vertexIndex(int stack, int slice) {
    return stack * (kSlices + 1) + slice + 1;
}

std::string sphereText() {
    std::string text;
    text.reserve(120u << 20);
    char line[128];
    for (int stack = 0; stack <= kStacks; ++stack) {
        const double theta = M_PI * stack / kStacks;
        for (int slice = 0; slice <= kSlices; ++slice) {
            const double phi = 2.0 * M_PI * slice / kSlices;
            const double x = std::sin(theta) * std::cos(phi);
            const double y = std::cos(theta);
            const double z = std::sin(theta) * std::sin(phi);
            text.append(line, std::snprintf(line, sizeof line, "v %.6f %.6f %.6f\n", x, y, z));
            text.append(line, std::snprintf(line, sizeof line, "vt %.6f %.6f\n",
                                            double(slice) / kSlices, double(stack) / kStacks));
            text.append(line, std::snprintf(line, sizeof line, "vn %.6f %.6f %.6f\n", x, y, z));
        }
    }
    for (int stack = 0; stack < kStacks; ++stack) {
        for (int slice = 0; slice < kSlices; ++slice) {
            const int a = vertexIndex(stack, slice);
            const int b = vertexIndex(stack + 1, slice);
            const int c = vertexIndex(stack + 1, slice + 1);
            const int d = vertexIndex(stack, slice + 1);
            if (stack != 0) {
                text.append(line, std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n",
                                                a, a, a, b, b, b, d, d, d));
            }
            if (stack != kStacks - 1) {
                text.append(line, std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n",
                                                d, d, d, b, b, b, c, c, c));
            }
        }
    }
    return text;
}

// Written once per run, removed at exit.
struct SphereFile {
    std::string path;
    std::size_t size = 0;

    SphereFile() {
        path = (std::filesystem::temp_directory_path() / "cueflight_bench_sphere.obj").string();
        const std::string text = sphereText();
        std::ofstream(path, std::ios::binary) << text;
        size = text.size();
    }
    ~SphereFile() { std::filesystem::remove(path); }
};

const SphereFile& sphere() {
    static SphereFile file;
    return file;
}

void BM_OurObjReader(benchmark::State& state) {
    const SphereFile& file = sphere();
    int faces = 0;
    for (auto _ : state) {
        std::string text;
        collection::readWholeFile(file.path, text);
        ObjData data;
        collection::parseObj(text, data);
        faces = data.nrFaces;
        benchmark::DoNotOptimize(data.faces.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
    state.counters["triangles"] = faces;
}

void BM_TinyObjLoader(benchmark::State& state) {
    const SphereFile& file = sphere();
    std::size_t faces = 0;
    for (auto _ : state) {
        tinyobj::attrib_t attrib;
        std::vector<tinyobj::shape_t> shapes;
        std::vector<tinyobj::material_t> materials;
        std::string warning;
        std::string error;
        tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, file.path.c_str(), nullptr,
                         false);
        faces = shapes.empty() ? 0 : shapes[0].mesh.num_face_vertices.size();
        benchmark::DoNotOptimize(attrib.vertices.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size));
    state.counters["triangles"] = static_cast<double>(faces);
}

BENCHMARK(BM_OurObjReader)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TinyObjLoader)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
