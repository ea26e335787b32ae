#include "page_reduce.h"

#include <algorithm>
#include <cmath>

namespace book {
namespace {

// For one axis: which source cells each output cell overlaps, and by how much.
struct Span {
    int first = 0;
    std::vector<double> weights;
};

std::vector<Span> spans(int source, int target) {
    std::vector<Span> out(static_cast<size_t>(target));
    const double step = static_cast<double>(source) / target;
    for (int i = 0; i < target; ++i) {
        const double lo = i * step, hi = (i + 1) * step;
        Span& s = out[i];
        s.first = static_cast<int>(std::floor(lo));
        const int last = std::min(source - 1, static_cast<int>(std::ceil(hi)) - 1);
        for (int j = s.first; j <= last; ++j)
            s.weights.push_back((std::min<double>(hi, j + 1) - std::max<double>(lo, j)) / step);
    }
    return out;
}

}  // namespace

GreyImage reducePage(const PageBitmap& page, int width, int height) {
    const std::vector<Span> xs = spans(page.width, width), ys = spans(page.height, height);
    // Rows first, then columns.
    std::vector<double> rows(static_cast<size_t>(page.height) * width, 0.0);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < width; ++x) {
            double sum = 0;
            for (size_t k = 0; k < xs[x].weights.size(); ++k)
                sum += xs[x].weights[k] * page.at(xs[x].first + static_cast<int>(k), y);
            rows[static_cast<size_t>(y) * width + x] = sum;
        }
    GreyImage out{width, height, std::vector<double>(static_cast<size_t>(width) * height, 0.0)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double sum = 0;
            for (size_t k = 0; k < ys[y].weights.size(); ++k)
                sum += ys[y].weights[k] *
                       rows[static_cast<size_t>(ys[y].first + static_cast<int>(k)) * width + x];
            out.ink[static_cast<size_t>(y) * width + x] = sum;
        }
    return out;
}

}  // namespace book
