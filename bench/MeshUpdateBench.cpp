// Speed of the per-frame mesh work: world transform plus software lighting
// of 10 000 vertices against 4 lights (two point, two directional).
// Reported as vertex-lights per second ("items_per_second").
#include <benchmark/benchmark.h>

#include <cmath>

#include "scene/Light.h"
#include "scene/LightList.h"
#include "scene/Mesh.h"
#include "scene/ObjectRegistry.h"

namespace {

constexpr int kVertices = 10000;
constexpr int kLights = 4;

void fillMesh(wf::Mesh& mesh) {
  mesh.vertices.resize(kVertices);
  for (int i = 0; i < kVertices; ++i) {
    const double a = i * 0.001, b = i * 0.0007;
    wf::MeshVertex& v = mesh.vertices[static_cast<size_t>(i)];
    v.position = wf::Vector4(std::cos(a) * 3, std::sin(b) * 2, std::sin(a) * 3, 1);
    v.normal = wf::Vector4(std::cos(a), std::sin(b), std::sin(a), 0);
    v.normal.normalize();
  }
}

// The whole Mesh::update(): parent chain, frame light list, transform, lighting.
void BM_MeshUpdate(benchmark::State& state) {
  wf::LightList frame;
  wf::setCurrentLightList(&frame);
  wf::ObjectRegistry registry;
  wf::Mesh* mesh = registry.add(std::make_unique<wf::Mesh>("mesh"));
  fillMesh(*mesh);
  mesh->transform = wf::Matrix4::rotation('y', 0.3) * wf::Matrix4::uniformScale(1.2);
  std::vector<wf::Light*> lights;
  for (int i = 0; i < kLights; ++i) {
    wf::Light* light = registry.add(std::make_unique<wf::Light>(i % 2 ? "1" : "0"));
    if (i % 2 == 0) light->vector = wf::Vector4(i * 2.0 - 3, 4, 5, 1);
    lights.push_back(light);
  }
  for (wf::Light* l : lights) l->update();
  for (auto _ : state) {
    mesh->update();
    benchmark::DoNotOptimize(mesh->vertices.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kVertices * kLights);
  wf::setCurrentLightList(nullptr);
}
BENCHMARK(BM_MeshUpdate)->Unit(benchmark::kMicrosecond);

// The lighting loop alone, on vertices already in world space.
void BM_LightVertices(benchmark::State& state) {
  wf::Mesh mesh("mesh");
  fillMesh(mesh);
  wf::transformVertices(mesh.vertices.data(), mesh.vertices.size(), wf::Matrix4());
  wf::LightSample lights[kLights];
  for (int i = 0; i < kLights; ++i) {
    lights[i].type = i % 2;
    lights[i].worldVector = i % 2 ? wf::Vector4(-0.5, -0.7, -0.5, 0) : wf::Vector4(i * 2.0 - 3, 4, 5, 1);
    lights[i].color = wf::Vector3(0.8, 0.6, 0.4);
  }
  const wf::Matrix4 cw = wf::Matrix4::translation(0.05, 0.05, 0.1, 1);
  for (auto _ : state) {
    wf::lightVertices(mesh.vertices.data(), mesh.vertices.size(), lights, kLights, cw);
    benchmark::DoNotOptimize(mesh.vertices.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kVertices * kLights);
}
BENCHMARK(BM_LightVertices)->Unit(benchmark::kMicrosecond);

}  // namespace
