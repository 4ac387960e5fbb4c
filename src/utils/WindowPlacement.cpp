#include "utils/WindowPlacement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "utils/ConfigUtils.h"

namespace nimbra {

TRect Bounds(int left, int top, int width, int height) {
    return TRect{left, top, left + width, top + height};
}

int MulDivRound(int a, int b, int c) {
    if (c == 0)
        return -1;
    std::int64_t numerator = static_cast<std::int64_t>(a) * b;
    std::int64_t denominator = c;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const std::int64_t half = denominator / 2;
    const std::int64_t result =
        numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
    return static_cast<int>(std::clamp<std::int64_t>(result, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

int ClampInitSize(int percent) {
    return std::clamp(percent, 0, 100);
}

TRect CenterOn(const TRect& window, const TRect& monitor) {
    return Bounds(monitor.Left + (monitor.Width() - window.Width()) / 2,
                  monitor.Top + (monitor.Height() - window.Height()) / 2, window.Width(),
                  window.Height());
}

TRect CenteredBounds(const TRect& window, const TMonitorRects& monitor, int percent) {
    const int p = ClampInitSize(percent);
    if (p == 100)
        return monitor.WorkArea;
    int width = window.Width();
    int height = window.Height();
    if (p > 0) {
        // A degenerate window keeps 0 for the side it has nothing to scale by.
        if (width > height) {
            width = MulDivRound(monitor.WorkArea.Width(), p, 100);
            height = window.Width() != 0 ? MulDivRound(width, window.Height(), window.Width()) : 0;
        } else {
            height = MulDivRound(monitor.WorkArea.Height(), p, 100);
            width = window.Height() != 0 ? MulDivRound(height, window.Width(), window.Height()) : 0;
        }
    }
    return CenterOn(Bounds(window.Left, window.Top, width, height), monitor.Monitor);
}

TRect FitIntoWorkArea(const TRect& bounds, const TRect& workArea, int frameWidth, int frameHeight) {
    const TRect area{workArea.Left - frameWidth, workArea.Top - frameHeight,
                     workArea.Right + frameWidth, workArea.Bottom + frameHeight};
    const int w = std::min(bounds.Width(), area.Width());
    const int h = std::min(bounds.Height(), area.Height());
    TRect r = bounds;
    if (r.Right > area.Right) {
        r.Right = area.Right;
        r.Left = r.Right - w;
    }
    if (r.Left < area.Left) {
        r.Left = area.Left;
        r.Right = r.Left + w;
    }
    if (r.Top < area.Top) {
        r.Top = area.Top;
        r.Bottom = r.Top + h;
    }
    if (r.Bottom > area.Bottom) {
        r.Bottom = area.Bottom;
        r.Top = r.Bottom - h;
    }
    return r;
}

int NearestMonitor(const TRect& bounds, const std::vector<TMonitorRects>& monitors) {
    int best = -1;
    std::int64_t bestOverlap = 0;
    std::int64_t bestDistance = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const TRect& m = monitors[i].Monitor;
        const std::int64_t overlapW =
            std::max(0, std::min(bounds.Right, m.Right) - std::max(bounds.Left, m.Left));
        const std::int64_t overlapH =
            std::max(0, std::min(bounds.Bottom, m.Bottom) - std::max(bounds.Top, m.Top));
        const std::int64_t overlap = overlapW * overlapH;
        const std::int64_t dx = std::max({0, m.Left - bounds.Right, bounds.Left - m.Right});
        const std::int64_t dy = std::max({0, m.Top - bounds.Bottom, bounds.Top - m.Bottom});
        const std::int64_t distance = dx * dx + dy * dy;
        // Sharing area beats any distance; among monitors that share none,
        // the closest wins.
        if (overlap > bestOverlap ||
            (bestOverlap == 0 && overlap == 0 && distance < bestDistance)) {
            best = static_cast<int>(i);
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    return best;
}

void SaveBounds(TAppIni& ini, const std::string& section, const std::string& windowName,
                const TRect& bounds, bool withSize) {
    ini.WriteInteger(section, windowName + ".Left", bounds.Left);
    ini.WriteInteger(section, windowName + ".Top", bounds.Top);
    if (withSize) {
        ini.WriteInteger(section, windowName + ".Width", bounds.Width());
        ini.WriteInteger(section, windowName + ".Height", bounds.Height());
    }
}

namespace {

constexpr int kMaxCoordinate = 1'000'000;

int ReadClamped(TAppIni& ini, const std::string& section, const std::string& ident,
                int defaultValue, int min) {
    return std::clamp(ini.ReadInteger(section, ident, defaultValue), min, kMaxCoordinate);
}

}  // namespace

TRect ReadBounds(TAppIni& ini, const std::string& section, const std::string& windowName,
                 const TRect& current, bool withSize) {
    const int left = ReadClamped(ini, section, windowName + ".Left", current.Left, -kMaxCoordinate);
    const int top = ReadClamped(ini, section, windowName + ".Top", current.Top, -kMaxCoordinate);
    int width = std::clamp(current.Width(), 0, kMaxCoordinate);
    int height = std::clamp(current.Height(), 0, kMaxCoordinate);
    if (withSize) {
        width = ReadClamped(ini, section, windowName + ".Width", width, 0);
        height = ReadClamped(ini, section, windowName + ".Height", height, 0);
    }
    return Bounds(left, top, width, height);
}

std::string ListColumnsPrefix(const std::string& prefix, const std::string& ownerName,
                              const std::string& listName) {
    return prefix.empty() ? ownerName + "." + listName : prefix;
}

namespace {

std::string ColumnIdent(const std::string& prefix, int position) {
    return prefix + ".Column" + std::to_string(position);
}

}  // namespace

void SaveListColumns(TAppIni& ini, const std::string& section, const std::string& prefix,
                     const std::vector<TListColumnState>& columns) {
    ini.WriteInteger(section, prefix + ".ColumnCount", static_cast<int>(columns.size()));
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string ident = ColumnIdent(prefix, static_cast<int>(i));
        ini.WriteInteger(section, ident, columns[i].ID);
        ini.WriteInteger(section, ident + ".Width", columns[i].Width);
    }
}

void LoadListColumns(TAppIni& ini, const std::string& section, const std::string& prefix,
                     std::vector<TListColumnState>& columns, bool fullDrag) {
    const int count = std::clamp(ini.ReadInteger(section, prefix + ".ColumnCount", -1), -1,
                                 static_cast<int>(columns.size()));
    for (int i = 0; i < count; ++i) {
        const std::string ident = ColumnIdent(prefix, i);
        const int id = ini.ReadInteger(section, ident, -1);
        auto found = std::find_if(columns.begin(), columns.end(),
                                  [id](const TListColumnState& c) { return c.ID == id; });
        if (found == columns.end())
            continue;
        const TListColumnState column = *found;
        auto target = columns.begin() + i;
        if (fullDrag && found != target) {
            columns.erase(found);
            target = columns.insert(columns.begin() + i, column);
        } else {
            target = found;
        }
        const int width = ini.ReadInteger(section, ident + ".Width", -1);
        if (width >= 0)
            target->Width = width;
    }
}

}  // namespace nimbra
