#include "assets/catalogue.h"

#include "assets/font_sheet.h"
#include "assets/icon.h"
#include "assets/models.h"
#include "assets/textures.h"

#include <fstream>
#include <iostream>

namespace assetgen {
namespace {

void addModels(std::vector<AssetFile>& files) {
    auto add = [&](const std::string& name, const Mesh& mesh, const std::string& title) {
        files.push_back({"Models/" + name, encodeObj(mesh, title)});
    };
    add("ani_sphere.obj", cueSphere(), "cue sphere, resting shape");
    add("ani_sphere_2.obj", cuePulse(), "cue sphere, pulsed shape (same faces as ani_sphere.obj)");
    add("cube.obj", debrisCube(), "debris cube");
    add("crosshair.obj", crosshair(), "crosshair ring in the xy plane");
    add("moon.obj", moonSphere(), "moon");
    add("plane.obj", screenPlane(), "full-screen plane for the effect passes");
    add("spaceship.obj", spaceship(), "fighter, nose towards -z");
    add("planet.obj", planetSphere(), "planet");
    add("ring.obj", planetRing(), "planetary ring, both sides");
    add("station.obj", spaceStation(), "space station");
    add("asteroid.obj", asteroid(401u), "asteroid");
    add("asteroid_b.obj", asteroid(402u), "asteroid");
    add("asteroid_c.obj", asteroid(403u), "asteroid");
}

void addTextures(std::vector<AssetFile>& files) {
    auto add = [&](const std::string& name, const Image& image) {
        files.push_back({"Sprites/" + name, encodeTga(image)});
    };
    add("sphere_rusty.tga", rustyMetal());
    HullTextures hull = hullPlates();
    add("hull17.tga", hull.colour);
    add("hull17.tga_s", hull.specular);
    add("hull17.tga_n", hull.normal);
    add("metal18.tga", brushedMetal());
    add("marker.tga", targetMarker());
    add("splosion_part_sheet4.tga", explosionSheet());
    add("planet_gas.tga", gasGiant());
    add("planet_terra.tga", rockyPlanet());
    add("moon.tga", moonSurface());
    add("ring_bands.tga", ringBands());
    add("station_panels.tga", stationPanels());
    add("asteroid_rock.tga", asteroidRock());
    const char* faceNames[6] = {"right", "left", "top", "bottom", "front", "back"};
    std::array<Image, 6> sky = spaceSkybox(512);
    for (size_t face = 0; face < 6; ++face) {
        add(std::string("cubemap_space3_") + faceNames[face] + ".tga", sky[face]);
    }
}

} // namespace

std::optional<std::vector<AssetFile>> generateAssets(const std::string& fontFile) {
    std::optional<Image> font = fontSheet(fontFile);
    if (!font) {
        return std::nullopt;
    }
    std::vector<AssetFile> files;
    addModels(files);
    addTextures(files);
    files.push_back({"Sprites/fonts.tga", encodeTga(*font)});
    return files;
}

std::vector<AssetFile> iconFiles(const std::string& name) {
    std::vector<AssetFile> files;
    for (int size : kIconSizes) {
        const std::string side = std::to_string(size);
        files.push_back(
            {"hicolor/" + side + "x" + side + "/apps/" + name + ".png", encodePng(gameIcon(size))});
    }
    return files;
}

bool writeAssets(const std::vector<AssetFile>& files, const std::filesystem::path& runDir) {
    for (const AssetFile& file : files) {
        std::filesystem::path target = runDir / file.path;
        std::error_code error;
        std::filesystem::create_directories(target.parent_path(), error);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), std::streamsize(file.bytes.size()));
        out.close();
        if (!out) {
            std::cerr << "cannot write " << target.string() << std::endl;
            return false;
        }
    }
    return true;
}

} // namespace assetgen
