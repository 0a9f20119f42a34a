#include "quantize.h"

#include <algorithm>
#include <map>

namespace art {

namespace {

struct Box {
    std::vector<Rgb> colours;   // distinct colours, each with its pixel count below
    std::vector<uint32_t> counts;
};

int channel(const Rgb &c, int k) { return k == 0 ? c.r : k == 1 ? c.g : c.b; }

// The channel with the widest spread in the box, and that spread.
std::pair<int, int> widest(const Box &box)
{
    int best = 0, spread = -1;
    for (int k = 0; k < 3; ++k) {
        int lo = 255, hi = 0;
        for (const Rgb &c : box.colours) {
            lo = std::min(lo, channel(c, k));
            hi = std::max(hi, channel(c, k));
        }
        if (hi - lo > spread) best = k, spread = hi - lo;
    }
    return {best, spread};
}

Rgb average(const Box &box)
{
    uint64_t sum[3] = {0, 0, 0}, total = 0;
    for (size_t i = 0; i < box.colours.size(); ++i) {
        for (int k = 0; k < 3; ++k) sum[k] += static_cast<uint64_t>(channel(box.colours[i], k)) * box.counts[i];
        total += box.counts[i];
    }
    auto avg = [&](int k) { return static_cast<uint8_t>((sum[k] + total / 2) / total); };
    return {avg(0), avg(1), avg(2)};
}

// Splits the box at the weighted median of its widest channel.
std::pair<Box, Box> split(const Box &box, int k)
{
    std::vector<size_t> order(box.colours.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return channel(box.colours[a], k) < channel(box.colours[b], k); });
    uint64_t total = 0;
    for (uint32_t c : box.counts) total += c;
    Box lo, hi;
    uint64_t seen = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        bool low = lo.colours.empty() || (seen < total / 2 && i + 1 < order.size());
        seen += box.counts[order[i]];
        Box &to = low ? lo : hi;
        to.colours.push_back(box.colours[order[i]]);
        to.counts.push_back(box.counts[order[i]]);
    }
    return {lo, hi};
}

int distance(const Rgb &a, const Rgb &b)
{
    int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;
}

}   // namespace

Indexed quantize(const Image &picture, int colours)
{
    std::map<uint32_t, uint32_t> histogram;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb &c = picture.at(x, y);
            ++histogram[static_cast<uint32_t>(c.r) << 16 | c.g << 8 | c.b];
        }
    std::vector<Box> boxes(1);
    for (auto [key, count] : histogram) {
        boxes[0].colours.push_back(
            {static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8), static_cast<uint8_t>(key)});
        boxes[0].counts.push_back(count);
    }
    while (static_cast<int>(boxes.size()) < colours) {
        int pick = -1, pick_spread = 0, pick_k = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            auto [k, spread] = widest(boxes[i]);
            if (boxes[i].colours.size() > 1 && spread > pick_spread)
                pick = static_cast<int>(i), pick_spread = spread, pick_k = k;
        }
        if (pick < 0) break;
        auto [lo, hi] = split(boxes[pick], pick_k);
        boxes[pick] = std::move(lo);
        boxes.push_back(std::move(hi));
    }
    Indexed out{picture.width(), picture.height(), {}, {}};
    for (const Box &b : boxes) out.palette.push_back(average(b));
    std::map<uint32_t, uint8_t> nearest;
    out.index.reserve(static_cast<size_t>(picture.width()) * picture.height());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb &c = picture.at(x, y);
            uint32_t key = static_cast<uint32_t>(c.r) << 16 | c.g << 8 | c.b;
            auto found = nearest.find(key);
            if (found == nearest.end()) {
                uint8_t best = 0;
                for (size_t i = 1; i < out.palette.size(); ++i)
                    if (distance(c, out.palette[i]) < distance(c, out.palette[best])) best = static_cast<uint8_t>(i);
                found = nearest.emplace(key, best).first;
            }
            out.index.push_back(found->second);
        }
    return out;
}

}   // namespace art
