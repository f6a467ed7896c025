#pragma once

#include <cstdint>
#include <vector>

// An 8-bit RGBA picture with straight (not premultiplied) alpha, row 0 at the top.
class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Fill(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);

    // Paints colour (r, g, b) over the pixel with the given coverage (0 to 255),
    // Porter-Duff "over"; pixels outside the canvas are ignored.
    void Cover(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, int coverage);

    const std::uint8_t* Pixel(int x, int y) const;
    const std::uint8_t* Row(int y) const { return Pixel(0, y); }

    bool operator==(const Canvas& other) const;

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> rgba_;
};
