#pragma once

#include <string>
#include <vector>

namespace nimbra {

class TAppIni;

// The rules by which windows and list-view columns keep their places in the
// settings store, on plain rectangles; the window components apply them.

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

TRect Bounds(int left, int top, int width, int height);

// A monitor's whole rectangle and its work area (without the task bar).
struct TMonitorRects {
    TRect Monitor;
    TRect WorkArea;
};

// a × b ÷ c computed in 64 bits, rounded half away from zero and held to
// the range of int; -1 when c is 0. (Named apart from Win32's MulDiv, which
// a name of ours in this namespace would hide.)
int MulDivRound(int a, int b, int c);

// The initial size percentage, clamped to 0..100.
int ClampInitSize(int percent);

// The window centred on the monitor's whole rectangle, keeping its size.
TRect CenterOn(const TRect& window, const TRect& monitor);

// The sizing before stored bounds apply: with `percent` (clamped) 0 the
// window is only centred; with 100 it gets exactly the work area; otherwise
// its larger side becomes that percentage of the work area's matching side,
// the other side keeps the window's aspect ratio, and it is centred.
TRect CenteredBounds(const TRect& window, const TMonitorRects& monitor, int percent);

// Fits a rectangle into a work area grown on each side by the window frame
// size: first shrunk to the area, then moved in from the right, the left,
// the top and the bottom, in this order.
TRect FitIntoWorkArea(const TRect& bounds, const TRect& workArea, int frameWidth, int frameHeight);

// The monitor that shares the largest area with the rectangle, or the
// nearest one when none does; -1 for no monitors.
int NearestMonitor(const TRect& bounds, const std::vector<TMonitorRects>& monitors);

// The stored bounds of a window: name + ".Left", ".Top", ".Width" and
// ".Height" in the section; the size only when `withSize` is set.
void SaveBounds(TAppIni& ini, const std::string& section, const std::string& windowName,
                const TRect& bounds, bool withSize);
// The stored bounds, each edge defaulting to the current one; without
// `withSize` the current size is kept. Stored values may be damaged: the
// position is held to ±1,000,000 and the size to 0..1,000,000, far beyond
// any desktop, so that no edge overflows.
TRect ReadBounds(TAppIni& ini, const std::string& section, const std::string& windowName,
                 const TRect& current, bool withSize);

// One list-view column: its permanent ID and its width.
struct TListColumnState {
    int ID = 0;
    int Width = 0;
    bool operator==(const TListColumnState&) const = default;
};

// The ident prefix of a list view's columns: the one given, or the owner's
// name + "." + the list view's name.
std::string ListColumnsPrefix(const std::string& prefix, const std::string& ownerName,
                              const std::string& listName);
// prefix + ".ColumnCount", and for each position i prefix + ".Column<i>" =
// the column's ID and prefix + ".Column<i>.Width" = its width.
void SaveListColumns(TAppIni& ini, const std::string& section, const std::string& prefix,
                     const std::vector<TListColumnState>& columns);
// Restores `columns` (in display order): the stored count, clamped to
// -1..number of columns, names the positions; the column with the ID stored
// for a position is moved there when the user may drag columns
// (`fullDrag`) and takes the stored width unless it is negative. IDs that
// match no column are skipped.
void LoadListColumns(TAppIni& ini, const std::string& section, const std::string& prefix,
                     std::vector<TListColumnState>& columns, bool fullDrag);

}  // namespace nimbra
