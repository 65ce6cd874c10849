#include "tests/e2e/driver/Capture.h"

#include <algorithm>
#include <fstream>

namespace window_driver {

std::string ToString(Rgb colour) {
    return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue);
}

Rgb FromColorRef(COLORREF colour) {
    return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

int Capture::Count(const RECT& area, Rgb colour) const {
    int count = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(height_, area.bottom); ++y) {
        for (int x = std::max(0L, area.left); x < std::min<LONG>(width_, area.right); ++x) {
            count += At(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

bool Capture::SaveBmp(const std::string& path) const {
    const int rowBytes = (width_ * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = height_;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(rowBytes) * static_cast<DWORD>(height_);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<char> row(static_cast<size_t>(rowBytes), '\0');
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Rgb pixel = At(x, y);
            row[x * 3] = static_cast<char>(pixel.blue);
            row[x * 3 + 1] = static_cast<char>(pixel.green);
            row[x * 3 + 2] = static_cast<char>(pixel.red);
        }
        out.write(row.data(), rowBytes);
    }
    return static_cast<bool>(out);
}

} // namespace window_driver
