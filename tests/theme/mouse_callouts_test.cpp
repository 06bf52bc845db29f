// The key page draws each button's call-out over the mouse picture from the description file's
// "rect" (a#b#c: a line from (a, c) to (b, c)) and "direction". Its dot must land on the mouse,
// its 66 x 26 label must stay inside the picture, and labels must not cover each other.
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "picture.h"

namespace pellora::testing {
namespace {
namespace fs = std::filesystem;

struct Box {
    int left, top, right, bottom;
    bool Overlaps(const Box& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

struct CallOut {
    std::string key;
    int direction = 0;
    int a = 0, b = 0, c = 0;

    // As the mouse picture control draws it at scale 1.
    int DotX() const { return direction == 1 ? a - 2 : b + 2; }
    Box Label() const {
        return direction == 1 ? Box{b + 1, c - 13, b + 67, c + 13}
                              : Box{a - 67, c - 13, a - 1, c + 13};
    }
};

bool ParseRect(const std::string& rect, CallOut& out) {
    std::istringstream in(rect);
    char hash1 = 0, hash2 = 0;
    return static_cast<bool>(in >> out.a >> hash1 >> out.b >> hash2 >> out.c) && hash1 == '#' &&
           hash2 == '#';
}

std::vector<fs::path> DescriptionFiles() {
    std::vector<fs::path> files;
    const fs::path dir = SourceDir() / "data" / "device";
    if (fs::exists(dir)) {
        for (const auto& entry : fs::directory_iterator(dir)) {
            if (entry.path().extension() == ".xml") {
                files.push_back(entry.path());
            }
        }
    }
    return files;
}

void CheckModel(const fs::path& file) {
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(file.c_str())) << file;
    const pugi::xml_node mouse = doc.child("mouse");
    const std::string image = mouse.child("image_file").attribute("mouse_img").value();
    if (image.empty()) {
        return;  // a model without a picture shows no call-outs
    }
    const auto picture = LoadPicture(ThemeDir() / "device" / image);
    ASSERT_TRUE(picture) << file << " names the picture " << image << ", which is missing";

    std::vector<CallOut> call_outs;
    for (pugi::xml_node key : mouse.child("mouse_key").children("key")) {
        CallOut c;
        c.key = key.attribute("key_value").value();
        c.direction = key.attribute("direction").as_int();
        ASSERT_TRUE(ParseRect(key.attribute("rect").value(), c))
            << file << " key " << c.key << ": rect \"" << key.attribute("rect").value() << "\"";
        call_outs.push_back(c);
    }
    for (std::size_t i = 0; i < call_outs.size(); ++i) {
        const CallOut& c = call_outs[i];
        SCOPED_TRACE(file.filename().string() + " key " + c.key);
        // The whole 6-pixel dot sits on the mouse, not on its shadow or beside it.
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const int x = c.DotX() + dx, y = c.c + dy;
                ASSERT_TRUE(x >= 0 && y >= 0 && x < picture->width && y < picture->height);
                EXPECT_EQ(picture->At(x, y).a, 255) << "dot at (" << x << ", " << y << ")";
            }
        }
        const Box label = c.Label();
        EXPECT_TRUE(label.left >= 0 && label.top >= 0 && label.right <= picture->width &&
                    label.bottom <= picture->height)
            << "label leaves the picture";
        for (std::size_t j = i + 1; j < call_outs.size(); ++j) {
            EXPECT_FALSE(label.Overlaps(call_outs[j].Label()))
                << "label covers key " << call_outs[j].key << "'s";
        }
    }
}

TEST(MouseCallOuts, EveryCallOutLandsOnItsMouseAndKeepsItsLabelClear) {
    const auto files = DescriptionFiles();
    if (files.empty()) {
        GTEST_SKIP() << "no description files in data/device yet";
    }
    for (const fs::path& file : files) {
        CheckModel(file);
    }
}

TEST(MouseCallOuts, RectTextReadsAsThreeNumbers) {
    CallOut c;
    ASSERT_TRUE(ParseRect("10#20#30", c));
    EXPECT_EQ(c.a, 10);
    EXPECT_EQ(c.b, 20);
    EXPECT_EQ(c.c, 30);
    EXPECT_FALSE(ParseRect("10,20,30", c));
    // The line from (10, 30) to (20, 30): direction 1 labels right of 20, others left of 10.
    c.direction = 1;
    EXPECT_EQ(c.DotX(), 8);
    EXPECT_EQ(c.Label().left, 21);
    c.direction = 0;
    EXPECT_EQ(c.DotX(), 22);
    EXPECT_EQ(c.Label().right, 9);
}

}  // namespace
}  // namespace pellora::testing
