// Renders every picture of the game at device pixel ratio 1 and writes them as a C++ source file
// that defines bakedPictures() (ui/art/ready_pictures.h). Run at build time, with the fonts the
// program finds, so the program starts without painting a single picture.
//
//   QT_QPA_PLATFORM=offscreen quorvel_bake_pictures <output.cpp>

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <string>

#include "ui/art/pictures.h"

namespace {

using namespace quorvel;

// The picture's pixels as a C array named name.
void writePixels(std::FILE* out, const QImage& image, const std::string& name) {
    std::fprintf(out, "alignas(16) const std::uint32_t %s[] = {", name.c_str());
    int column = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            std::fprintf(out, "%s0x%08x,", column++ % 8 == 0 ? "\n    " : " ", row[x]);
        }
    }
    std::fprintf(out, "\n};\n\n");
}

}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.cpp>\n", argv[0]);
        return 2;
    }
    const std::string target = argv[1];
    const std::string temporary = target + ".part";
    std::FILE* out = std::fopen(temporary.c_str(), "w");
    if (out == nullptr) {
        std::perror(temporary.c_str());
        return 1;
    }
    std::fprintf(out,
                 "// Written by quorvel_bake_pictures at build time: every picture at ratio 1.\n\n"
                 "#include \"ui/art/ready_pictures.h\"\n\n"
                 "namespace quorvel {\n\nnamespace {\n\n");
    std::string table;
    for (const int code : pictureCodes()) {
        const QImage image =
            renderPicture(code, 1).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const std::string name =
            "picture" + std::to_string(code < 0 ? -code : code) + (code < 0 ? "m" : "");
        writePixels(out, image, name);
        table += "        {" + std::to_string(code) + ", " + std::to_string(image.width()) + ", " +
                 std::to_string(image.height()) + ", " + name + "},\n";
    }
    std::fprintf(out,
                 "}\n\nstd::span<const ReadyPicture> bakedPictures() {\n"
                 "    static const ReadyPicture pictures[] = {\n%s    };\n"
                 "    return pictures;\n}\n\n}\n",
                 table.c_str());
    if (std::fclose(out) != 0 || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::perror(target.c_str());
        return 1;
    }
    return 0;
}
