#pragma once

#include <vector>

#include "base/Set.h"
#include "controls/Graphics.h"

namespace nimbra {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
const TTypeInfo& EnumTypeInfo(TAlign);
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = Set<TAnchorKind>;
const TTypeInfo& EnumTypeInfo(TAnchorKind);
inline constexpr TAnchors kDefaultAnchors{akLeft, akTop};

// One child as the layout sees it. Design values are in 96-dpi pixels
// relative to the parent's design client area; everything else is in device
// pixels at the layout's dpi.
struct TLayoutItem {
    TRect Design;
    TAlign Align = alNone;
    TAnchors Anchors = kDefaultAnchors;
    // Size limits in device pixels; 0 means no limit.
    TSize MinSize;
    TSize MaxSize;
    // What the content (a caption, a check box with its text) needs, in
    // device pixels; 0 where nothing is needed. A control is never narrower
    // than its content needs: it grows and pushes what stands to its right in
    // the same row.
    TSize Content;
    // The size is the content's size (labels).
    bool AutoSize = false;
    bool Visible = true;
};

struct TLayoutResult {
    // One rectangle per item, in device pixels relative to the parent's
    // client area (hidden items keep their scaled design rectangle).
    std::vector<TRect> Bounds;
    // The smallest client area that shows every item at its needed size.
    TSize MinClient;
};

// Places the children of one container whose client area was designed as
// `designClient` and now measures `client` at `dpi`. Aligned children take
// their edges in the order top, bottom, left, right, client (each group in
// the order given); the others keep their distance to the edges they are
// anchored to, or their relative position when anchored to neither side.
TLayoutResult ArrangeControls(const std::vector<TLayoutItem>& items, TSize designClient,
                              TSize client, int dpi);

}  // namespace nimbra
