#include "tessel/platform/fonts.h"

#include <fontconfig/fontconfig.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>

#include "platform/text_engine.h"
#include "tessel/platform/text.h"

namespace DUI {
namespace {

int CssWeight(int fcWeight) {
    return FcWeightToOpenType(fcWeight);
}

bool DescribeFile(const std::string& path, FontFace* face) {
    FcPattern* query = FcPatternCreate();
    FcPatternAddString(query, FC_FILE, reinterpret_cast<const FcChar8*>(path.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_WEIGHT, FC_SLANT, nullptr);
    FcFontSet* set = FcFontList(FcConfigGetCurrent(), query, objects);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(query);
    bool found = false;
    if (set != nullptr && set->nfont > 0) {
        FcPattern* font = set->fonts[0];
        FontFace result;
        FcChar8* family = nullptr;
        for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
            result.families.push_back(Utf8ToWide(reinterpret_cast<const char*>(family)));
        }
        int weight = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) == FcResultMatch) {
            result.weight = CssWeight(weight);
        }
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetInteger(font, FC_SLANT, 0, &slant) == FcResultMatch) {
            result.italic = slant != FC_SLANT_ROMAN;
        }
        found = !result.families.empty();
        if (found && face != nullptr) {
            *face = std::move(result);
        }
    }
    if (set != nullptr) {
        FcFontSetDestroy(set);
    }
    return found;
}

}  // namespace

bool RegisterFontFile(const std::string& path, FontFace* face) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return false;
    }
    std::lock_guard lock(detail::TextLock());
    detail::TextFontMap();
    if (!DescribeFile(path, nullptr)) {
        if (!FcConfigAppFontAddFile(FcConfigGetCurrent(),
                                    reinterpret_cast<const FcChar8*>(path.c_str()))) {
            return false;
        }
        detail::TextFontsChanged();
    }
    return DescribeFile(path, face);
}

bool RegisterFontData(const void* data, std::size_t size, FontFace* face) {
    if (data == nullptr || size == 0) {
        return false;
    }
    // Font systems load faces from files; the bytes go to a private file that lives as long as
    // the process (unlinking it early would break lazy glyph loading).
    std::lock_guard lock(detail::TextLock());
    static std::map<const void*, std::string> written;
    auto it = written.find(data);
    if (it == written.end()) {
        const char* base = getenv("XDG_RUNTIME_DIR");
        std::string folder = (base != nullptr && *base != '\0') ? base : "/tmp";
        std::string pattern = folder + "/tessel-font-XXXXXX";
        int fd = mkstemp(pattern.data());
        if (fd < 0) {
            pattern = "/tmp/tessel-font-XXXXXX";
            fd = mkstemp(pattern.data());
            if (fd < 0) {
                return false;
            }
        }
        const auto* bytes = static_cast<const unsigned char*>(data);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = write(fd, bytes + done, size - done);
            if (n <= 0) {
                close(fd);
                unlink(pattern.c_str());
                return false;
            }
            done += static_cast<std::size_t>(n);
        }
        close(fd);
        it = written.emplace(data, pattern).first;
        static struct Cleanup {
            ~Cleanup() {
                for (const auto& [key, path] : written) {
                    unlink(path.c_str());
                }
            }
        } cleanup;
    }
    return RegisterFontFile(it->second, face);
}

bool IsFontFamilyAvailable(const std::wstring& family) {
    if (family.empty()) {
        return false;
    }
    std::lock_guard lock(detail::TextLock());
    detail::TextFontMap();
    const std::string name = WideToUtf8(family);
    FcPattern* query = FcPatternCreate();
    FcPatternAddString(query, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* set = FcFontList(FcConfigGetCurrent(), query, objects);
    const bool found = set != nullptr && set->nfont > 0;
    if (set != nullptr) {
        FcFontSetDestroy(set);
    }
    FcObjectSetDestroy(objects);
    FcPatternDestroy(query);
    return found;
}

std::wstring ResolveFontFamily(const std::wstring& family, int weight) {
    std::lock_guard lock(detail::TextLock());
    PangoFontDescription* desc = pango_font_description_new();
    const std::string name = WideToUtf8(family);
    pango_font_description_set_family(desc, name.c_str());
    pango_font_description_set_weight(desc, static_cast<PangoWeight>(weight));
    pango_font_description_set_absolute_size(desc, 14 * PANGO_SCALE);
    PangoFont* font = pango_font_map_load_font(detail::TextFontMap(), detail::TextContext(), desc);
    pango_font_description_free(desc);
    std::wstring result;
    if (font != nullptr) {
        PangoFontDescription* actual = pango_font_describe(font);
        if (const char* f = pango_font_description_get_family(actual)) {
            result = Utf8ToWide(f);
        }
        pango_font_description_free(actual);
        g_object_unref(font);
    }
    return result;
}

}  // namespace DUI
