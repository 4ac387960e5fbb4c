#include "controls/Layout.h"

#include <algorithm>

namespace nimbra {

const TTypeInfo& EnumTypeInfo(TAlign) {
    static const TTypeInfo info = MakeEnumTypeInfo(
        "TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
    return info;
}

const TTypeInfo& EnumTypeInfo(TAnchorKind) {
    static const TTypeInfo info =
        MakeEnumTypeInfo("TAnchorKind", {"akLeft", "akTop", "akRight", "akBottom"});
    return info;
}

namespace {

int Clamp(int value, int minimum, int maximum) {
    if (maximum > 0)
        value = std::min(value, maximum);
    return std::max(value, minimum);
}

// The size an item asks for before its edges are placed: the scaled design
// size, or its content's for an auto-sized item; never below what its
// content needs in width; held to its limits.
TSize WantedSize(const TLayoutItem& item, int dpi) {
    TSize size{ScaleToDpi(item.Design.Width(), dpi), ScaleToDpi(item.Design.Height(), dpi)};
    if (item.AutoSize && item.Content.Width > 0)
        size = item.Content;
    size.Width = std::max(size.Width, item.Content.Width);
    return {Clamp(size.Width, item.MinSize.Width, item.MaxSize.Width),
            Clamp(size.Height, item.MinSize.Height, item.MaxSize.Height)};
}

// The least size an item can be squeezed to.
TSize LeastSize(const TLayoutItem& item) {
    return {std::max(item.MinSize.Width, item.Content.Width),
            std::max(item.MinSize.Height, item.Content.Height)};
}

// One axis of an unaligned item: where it starts and how long it is.
struct TSpan {
    int Start;
    int Length;
};

// A stretched item (anchored to both sides) follows the extent down to its
// least length; the others keep the length they want.
TSpan PlaceOnAxis(int designStart, int designLength, int designExtent, int extent, int wanted,
                  int least, bool nearAnchor, bool farAnchor, int dpi) {
    const int start = ScaleToDpi(designStart, dpi);
    const int farMargin = ScaleToDpi(designExtent - designStart - designLength, dpi);
    if (nearAnchor && farAnchor)
        return {start, std::max(least, extent - farMargin - start)};
    if (farAnchor)
        return {extent - farMargin - wanted, wanted};
    if (nearAnchor || designExtent <= 0)
        return {start, wanted};
    // Neither edge: the centre keeps its relative place.
    const double centre = (designStart + designLength / 2.0) * extent / designExtent;
    return {static_cast<int>(centre - wanted / 2.0 + 0.5), wanted};
}

bool SameRow(const TRect& a, const TRect& b) {
    return a.Top < b.Bottom && b.Top < a.Bottom;
}

// A control whose content made it wider moves the controls beside it in
// the same row: to the right, or to the left for a control held by its right
// edge only (a row of buttons in the bottom right corner).
void PushRows(const std::vector<TLayoutItem>& items, const std::vector<int>& growth,
              std::vector<TRect>& bounds) {
    const auto count = items.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (growth[i] <= 0)
            continue;
        const TRect& grown = items[i].Design;
        const bool leftwards =
            items[i].Anchors.Contains(akRight) && !items[i].Anchors.Contains(akLeft);
        for (std::size_t j = 0; j < count; ++j) {
            const TLayoutItem& other = items[j];
            if (j == i || other.Align != alNone || !other.Visible || !SameRow(grown, other.Design))
                continue;
            if (!leftwards && other.Design.Left >= grown.Right) {
                bounds[j].Left += growth[i];
                bounds[j].Right += growth[i];
            } else if (leftwards && other.Design.Right <= grown.Left) {
                bounds[j].Left -= growth[i];
                bounds[j].Right -= growth[i];
            }
        }
    }
}

}  // namespace

TLayoutResult ArrangeControls(const std::vector<TLayoutItem>& items, TSize designClient,
                              TSize client, int dpi) {
    TLayoutResult result;
    const auto count = items.size();
    result.Bounds.resize(count);
    std::vector<int> growth(count, 0);

    // Aligned items take the edges of what remains, group by group.
    TRect area{0, 0, client.Width, client.Height};
    int alignedWidth = 0;   // the widest top or bottom item
    int alignedHeight = 0;  // the tops and bottoms stacked
    int sideWidth = 0;      // the lefts and rights side by side
    int sideHeight = 0;     // the tallest left, right or client item
    for (TAlign group : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (std::size_t i = 0; i < count; ++i) {
            const TLayoutItem& item = items[i];
            if (item.Align != group)
                continue;
            if (!item.Visible) {
                result.Bounds[i] = ScaleToDpi(item.Design, dpi);
                continue;
            }
            const TSize wanted = WantedSize(item, dpi);
            const TSize least = LeastSize(item);
            TRect& r = result.Bounds[i];
            switch (group) {
                case alTop:
                    r = {area.Left, area.Top, area.Right, area.Top + wanted.Height};
                    area.Top = r.Bottom;
                    break;
                case alBottom:
                    r = {area.Left, area.Bottom - wanted.Height, area.Right, area.Bottom};
                    area.Bottom = r.Top;
                    break;
                case alLeft:
                    r = {area.Left, area.Top, area.Left + wanted.Width, area.Bottom};
                    area.Left = r.Right;
                    break;
                case alRight:
                    r = {area.Right - wanted.Width, area.Top, area.Right, area.Bottom};
                    area.Right = r.Left;
                    break;
                default:
                    r = area;
                    break;
            }
            if (group == alTop || group == alBottom) {
                alignedWidth = std::max(alignedWidth, least.Width);
                alignedHeight += wanted.Height;
            } else {
                sideWidth += group == alClient ? least.Width : wanted.Width;
                sideHeight = std::max(sideHeight, group == alClient ? least.Height : wanted.Height);
            }
        }
    }
    TSize minClient{std::max(alignedWidth, sideWidth), alignedHeight + sideHeight};

    // The others keep their distances to the edges they are anchored to.
    for (std::size_t i = 0; i < count; ++i) {
        const TLayoutItem& item = items[i];
        if (item.Align != alNone)
            continue;
        if (!item.Visible) {
            result.Bounds[i] = ScaleToDpi(item.Design, dpi);
            continue;
        }
        const TSize wanted = WantedSize(item, dpi);
        const TSize least = LeastSize(item);
        const TSpan x = PlaceOnAxis(
            item.Design.Left, item.Design.Width(), designClient.Width, client.Width, wanted.Width,
            least.Width, item.Anchors.Contains(akLeft), item.Anchors.Contains(akRight), dpi);
        const TSpan y =
            PlaceOnAxis(item.Design.Top, item.Design.Height(), designClient.Height, client.Height,
                        wanted.Height, least.Height, item.Anchors.Contains(akTop),
                        item.Anchors.Contains(akBottom), dpi);
        result.Bounds[i] = {x.Start, y.Start, x.Start + x.Length, y.Start + y.Length};
        growth[i] = std::max(0, wanted.Width - ScaleToDpi(item.Design.Width(), dpi));
    }
    PushRows(items, growth, result.Bounds);

    // What the unaligned items need: their far edge, plus the margin kept to
    // an edge they follow.
    for (std::size_t i = 0; i < count; ++i) {
        const TLayoutItem& item = items[i];
        if (item.Align != alNone || !item.Visible)
            continue;
        const TRect& r = result.Bounds[i];
        const int rightMargin = ScaleToDpi(designClient.Width - item.Design.Right, dpi);
        const int bottomMargin = ScaleToDpi(designClient.Height - item.Design.Bottom, dpi);
        const bool right = item.Anchors.Contains(akRight);
        const bool bottom = item.Anchors.Contains(akBottom);
        const int leftNeed = right && item.Anchors.Contains(akLeft)
                                 ? r.Left + std::max(LeastSize(item).Width, 0) + rightMargin
                             : right ? r.Width() + rightMargin
                                     : r.Right;
        const int topNeed = bottom && item.Anchors.Contains(akTop)
                                ? r.Top + LeastSize(item).Height + bottomMargin
                            : bottom ? r.Height() + bottomMargin
                                     : r.Bottom;
        minClient.Width = std::max(minClient.Width, leftNeed);
        minClient.Height = std::max(minClient.Height, topNeed);
    }
    result.MinClient = minClient;
    return result;
}

}  // namespace nimbra
