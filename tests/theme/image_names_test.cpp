// Every picture named anywhere in the program's code or data must exist where the program will
// look for it, with a width its stated frame count divides. Scans app/, toolkit/ and data/ as
// they are, so a name added tomorrow is checked tomorrow.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "catalog.h"
#include "picture.h"
#include "support/temp_dir.h"

namespace pellora::testing {
namespace {
namespace fs = std::filesystem;

struct NamedImage {
    std::string name;              // with '/' separators
    std::vector<fs::path> places;  // where the program looks for it, any one will do
    int frames = 0;                // frame count the code states, 0 when none
    std::string where;             // file:line of the use
};

std::string Normalise(std::string name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\') {
            if (i + 1 < name.size() && name[i + 1] == '\\') {
                ++i;  // an escaped backslash in C++ source
            }
            out += '/';
        } else {
            out += name[i];
        }
    }
    return out;
}

bool IsImageName(const std::string& s) {
    static const std::regex kImage(R"([A-Za-z0-9_./\\-]+\.(png|ico|gif|jpg|jpeg))",
                                   std::regex::icase);
    return std::regex_match(s, kImage);
}

std::vector<fs::path> FilesUnder(const fs::path& root, const std::vector<std::string>& exts) {
    std::vector<fs::path> files;
    if (!fs::exists(root)) {
        return files;
    }
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string ext = entry.path().extension().string();
        if (entry.is_regular_file() && std::find(exts.begin(), exts.end(), ext) != exts.end()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Names in code are relative to the skin folder (the toolkit's rule); embedded pictures are the
// generated ones.
void ScanCode(const fs::path& file, std::vector<NamedImage>& out) {
    static const std::regex kLiteral(
        R"(L?"([A-Za-z0-9_./\\-]+\.(?:png|ico|gif|jpg|jpeg))\"(\s*,\s*(\d+)\s*[,)])?)",
        std::regex::icase);
    std::ifstream in(file);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        // Most lines name no picture; the regex only sees those that might.
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (lower.find(".png") == std::string::npos && lower.find(".ico") == std::string::npos &&
            lower.find(".gif") == std::string::npos && lower.find(".jp") == std::string::npos) {
            continue;
        }
        for (auto it = std::sregex_iterator(line.begin(), line.end(), kLiteral);
             it != std::sregex_iterator(); ++it) {
            const std::string name = Normalise((*it)[1].str());
            out.push_back(
                {name,
                 {ThemeDir() / name, AppDir() / name, ResourceDir() / name},
                 (*it)[3].matched ? std::stoi((*it)[3].str()) : 0,
                 file.lexically_relative(SourceDir()).string() + ":" + std::to_string(number)});
        }
    }
}

// In the data files: the catalogue's mouse pictures live in the app folder's device/, the
// description files' pictures in the skin's device/, anything else in the skin folder.
void ScanXml(const fs::path& file, std::vector<NamedImage>& out) {
    pugi::xml_document doc;
    if (!doc.load_file(file.c_str())) {
        ADD_FAILURE() << file << " does not parse";
        return;
    }
    for (pugi::xpath_node node : doc.select_nodes("//*[@*]")) {
        for (pugi::xml_attribute a : node.node().attributes()) {
            const std::string value = a.value();
            if (!IsImageName(value)) {
                continue;
            }
            const std::string name = Normalise(value);
            fs::path place = ThemeDir() / name;
            if (std::strcmp(a.name(), "mouse_img") == 0) {
                place = ThemeDir() / "device" / name;
            } else if (std::strcmp(a.name(), "image") == 0 &&
                       std::strcmp(node.node().name(), "mouse") == 0) {
                place = AppDir() / "device" / name;
            }
            out.push_back({name,
                           {place},
                           0,
                           file.lexically_relative(SourceDir()).string() + " <" +
                               node.node().name() + " " + a.name() + ">"});
        }
    }
}

std::vector<NamedImage> NamedImages() {
    std::vector<NamedImage> images;
    const fs::path src = SourceDir();
    const std::vector<std::string> code = {".cpp", ".cc", ".h", ".hpp", ".in"};
    for (const char* dir : {"app", "toolkit", "data"}) {
        for (const fs::path& file : FilesUnder(src / dir, code)) {
            // The theme generator is where the pictures come from; its names are its catalogue,
            // which the picture tests check.
            if (file.lexically_relative(src).string().rfind("data/theme/", 0) == 0) {
                continue;
            }
            ScanCode(file, images);
        }
    }
    for (const fs::path& file : FilesUnder(src / "data", {".xml"})) {
        ScanXml(file, images);
    }
    return images;
}

const theme::ImageLayout* Catalogued(const std::string& name) {
    for (const auto& layout : theme::kThemeImages) {
        if (name == layout.name) {
            return &layout;
        }
    }
    return nullptr;
}

TEST(ImageNames, EveryPictureNamedInCodeOrDataExists) {
    for (const NamedImage& image : NamedImages()) {
        const bool found = std::any_of(image.places.begin(), image.places.end(),
                                       [](const fs::path& p) { return fs::exists(p); });
        EXPECT_TRUE(found) << image.where << " names \"" << image.name
                           << "\", which nothing draws (looked in " << image.places.front() << ")";
    }
}

TEST(ImageNames, FrameCountsStatedInCodeCutThePictureEvenly) {
    for (const NamedImage& image : NamedImages()) {
        if (image.frames <= 0) {
            continue;
        }
        for (const fs::path& place : image.places) {
            const auto picture = LoadPicture(place);
            if (!picture) {
                continue;
            }
            EXPECT_EQ(picture->width % image.frames, 0)
                << image.where << ": \"" << image.name << "\" is " << picture->width
                << " wide, not a multiple of " << image.frames << " frames";
            if (const auto* layout = Catalogued(image.name)) {
                EXPECT_EQ(image.frames, layout->frames)
                    << image.where << ": \"" << image.name << "\" is drawn with " << layout->frames
                    << " frames but used with " << image.frames;
            }
            break;
        }
    }
}

TEST(ImageNames, ScannerReadsEscapedPathsAndFrameCounts) {
    TempDir dir;
    const fs::path file = dir / "sample.cpp";
    std::ofstream(file) << "a->SetImage(L\"icon\\\\tab_home.png\", 3);\n"
                           "b->LoadBKImage(L\"main_bkg.png\");\n"
                           "c->SetIconImage(L\"icon\\\\icon_rec.png\", 4, 2);\n"
                           "auto filter = \"*.png\";\n";
    std::vector<NamedImage> images;
    ScanCode(file, images);
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].name, "icon/tab_home.png");
    EXPECT_EQ(images[0].frames, 3);
    EXPECT_EQ(images[1].name, "main_bkg.png");
    EXPECT_EQ(images[1].frames, 0);
    EXPECT_EQ(images[2].frames, 4);
}

}  // namespace
}  // namespace pellora::testing
