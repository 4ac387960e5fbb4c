#include "controls/ImgList.h"

#include "base/Locale.h"

namespace nimbra {

TCustomImageList::TCustomImageList(TComponent* owner) : TComponent(owner) {}

TCustomImageList::~TCustomImageList() = default;

void TCustomImageList::SetSize(int width, int height) {
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    platformData_.reset();
}

const std::string& TCustomImageList::Names(int index) const {
    return names_.at(static_cast<std::size_t>(index));
}

int TCustomImageList::Add(std::string_view name) {
    names_.emplace_back(name);
    platformData_.reset();
    return Count() - 1;
}

int TCustomImageList::IndexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (AnsiSameText(names_[i], name))
            return static_cast<int>(i);
    }
    return -1;
}

const TClassInfo& TCustomImageList::StaticClassInfo() {
    static const TClassInfo info("TCustomImageList", &TComponent::StaticClassInfo());
    return info;
}

}  // namespace nimbra
