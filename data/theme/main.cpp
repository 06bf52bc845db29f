// pellora-theme: draws the skin, the mouse pictures, the program icon and the toolkit's
// scroll-bar thumbs. Run by the build; the same inputs always give the same bytes.
//
//   pellora-theme --app DIR --resources DIR --font-semibold TTF --font-bold TTF
//                 [--contact-sheet FILE] [--preview FILE]
#include <cairo.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalog.h"
#include "contact_sheet.h"
#include "draw.h"
#include "preview.h"

namespace fs = std::filesystem;
using namespace pellora::theme;

namespace {

cairo_surface_t* RenderStrip(const ImageLayout& layout, const FrameDrawer& draw) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, layout.width(), layout.height);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < layout.frames; ++i) {
        cairo_save(cr);
        cairo_translate(cr, i * layout.frame_width, 0);
        cairo_rectangle(cr, 0, 0, layout.frame_width, layout.height);
        cairo_clip(cr);
        draw(cr, i, layout.frame_width, layout.height);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    return surface;
}

bool WritePng(cairo_surface_t* surface, const fs::path& path) {
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (cairo_surface_write_to_png(surface, path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "pellora-theme: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* bytes = static_cast<std::vector<unsigned char>*>(closure);
    bytes->insert(bytes->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

void PutLe(std::vector<unsigned char>& out, unsigned value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
    }
}

// An icon file whose images are all PNG-compressed, as icon files have allowed since 2006.
bool WriteIconFile(const fs::path& path) {
    std::vector<std::vector<unsigned char>> images;
    for (int size : kIconSizes) {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
        cairo_t* cr = cairo_create(s);
        DrawProgramIcon(cr, size);
        cairo_destroy(cr);
        images.emplace_back();
        cairo_surface_write_to_png_stream(s, AppendBytes, &images.back());
        cairo_surface_destroy(s);
    }
    std::vector<unsigned char> out;
    PutLe(out, 0, 2);
    PutLe(out, 1, 2);
    PutLe(out, static_cast<unsigned>(images.size()), 2);
    unsigned offset = 6 + 16 * static_cast<unsigned>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = kIconSizes[i];
        out.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
        out.push_back(static_cast<unsigned char>(size >= 256 ? 0 : size));
        out.push_back(0);  // no palette
        out.push_back(0);
        PutLe(out, 1, 2);   // planes
        PutLe(out, 32, 2);  // bits per pixel
        PutLe(out, static_cast<unsigned>(images[i].size()), 4);
        PutLe(out, offset, 4);
        offset += static_cast<unsigned>(images[i].size());
    }
    for (const auto& image : images) {
        out.insert(out.end(), image.begin(), image.end());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

struct Options {
    fs::path app, resources, contact_sheet, preview;
    std::string semibold, bold;
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string key = argv[i];
        const char* value = argv[i + 1];
        if (key == "--app") {
            o.app = value;
        } else if (key == "--resources") {
            o.resources = value;
        } else if (key == "--font-semibold") {
            o.semibold = value;
        } else if (key == "--font-bold") {
            o.bold = value;
        } else if (key == "--contact-sheet") {
            o.contact_sheet = value;
        } else if (key == "--preview") {
            o.preview = value;
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && !o.app.empty() && !o.resources.empty() && !o.bold.empty() &&
           !o.semibold.empty();
}

int Run(const Options& o) {
    if (!SetFontFiles(o.semibold, o.bold)) {
        std::fprintf(stderr, "pellora-theme: cannot load the fonts %s, %s\n", o.semibold.c_str(),
                     o.bold.c_str());
        return 1;
    }
    Registry registry;
    AddPanelPictures(registry);
    AddControlPictures(registry);
    AddIconPictures(registry);
    AddMousePictures(registry);
    AddExtraPictures(registry);

    const fs::path theme = o.app / "skins" / "theme1";
    bool ok = true;
    std::vector<SheetEntry> sheet;
    auto render = [&](const ImageLayout& layout, std::vector<fs::path> targets) {
        auto found = registry.find(layout.name);
        if (found == registry.end()) {
            std::fprintf(stderr, "pellora-theme: nothing draws %s\n", layout.name);
            ok = false;
            return;
        }
        cairo_surface_t* surface = RenderStrip(layout, found->second);
        for (const auto& target : targets) {
            ok = WritePng(surface, target) && ok;
        }
        sheet.push_back({layout, surface});
    };
    for (const ImageLayout& layout : kThemeImages) {
        render(layout, {theme / layout.name});
    }
    for (const ImageLayout& layout : kMousePictures) {
        // The device list reads the app folder's copy, the key page the skin's.
        render(layout, {o.app / "device" / layout.name, theme / "device" / layout.name});
    }
    for (const ScrollPicture& picture : kScrollPictures) {
        cairo_surface_t* s =
            cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height);
        cairo_t* cr = cairo_create(s);
        DrawScrollPicture(cr, picture);
        cairo_destroy(cr);
        ok = WritePng(s, o.resources / picture.name) && ok;
        sheet.push_back({{picture.name, 1, picture.width, picture.height}, s});
    }
    ok = WriteIconFile(theme / kIconFile) && ok;
    if (!o.contact_sheet.empty()) {
        ok = WriteContactSheet(sheet, o.contact_sheet) && ok;
    }
    if (!o.preview.empty()) {
        ok = WritePreview(sheet, o.preview) && ok;
    }
    for (auto& entry : sheet) {
        cairo_surface_destroy(entry.surface);
    }
    ReleaseFonts();
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: pellora-theme --app DIR --resources DIR --font-semibold TTF "
                     "--font-bold TTF [--contact-sheet FILE] [--preview FILE]\n");
        return 2;
    }
    return Run(options);
}
