#include "xscreen.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

namespace xscreen {

std::string output_of(const std::string &command)
{
    std::string out;
    if (FILE *p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p)) out += buf;
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

POINT window_origin(const std::string &xid)
{
    POINT p{-1, -1};
    std::string geometry = output_of("xdotool getwindowgeometry --shell " + xid);
    std::sscanf(geometry.c_str(), "WINDOW=%*d X=%d Y=%d", &p.x, &p.y);
    return p;
}

// XWD: a header of big-endian 32-bit fields, a colour map, then the rows.
uint32_t pixel(int x, int y)
{
    const char *dir = std::getenv("XVFB_FBDIR");
    if (!dir) return 0xFFFFFFFF;
    std::ifstream f(std::string(dir) + "/Xvfb_screen0", std::ios::binary);
    unsigned char header[100] = {};
    f.read(reinterpret_cast<char *>(header), sizeof header);
    auto field = [&](int i) {
        const unsigned char *p = &header[i * 4];
        return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
    };
    uint32_t headerSize = field(0), bytesPerLine = field(12), colours = field(19);
    f.seekg(headerSize + colours * 12 + static_cast<std::streamoff>(y) * bytesPerLine + x * 4);
    unsigned char px[4] = {};
    f.read(reinterpret_cast<char *>(px), 4);
    return (uint32_t{px[2]} << 16) | (uint32_t{px[1]} << 8) | px[0];
}

Shot shot(POINT origin, const RECT &r)
{
    Shot s;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) s.push_back(pixel(origin.x + x, origin.y + y));
    return s;
}

bool changes(POINT origin, const RECT &r, const Shot &before, int least)
{
    for (int i = 0; i < 250; ++i) {
        Shot now = shot(origin, r);
        int differing = 0;
        for (size_t k = 0; k < now.size() && k < before.size(); ++k) differing += now[k] != before[k];
        if (differing >= least) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

} // namespace xscreen
