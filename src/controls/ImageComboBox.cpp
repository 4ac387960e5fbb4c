#include "controls/ImageComboBox.h"

namespace nimbra {

TImageComboBox::TImageComboBox(TComponent* owner) : TComboBox(owner) {}

int TImageComboBox::RowImage(int row) {
    if (row < 0 || row >= Items()->Count())
        return -1;
    images_.resize(static_cast<std::size_t>(Items()->Count()));
    TCachedImage& cached = images_[static_cast<std::size_t>(row)];
    const std::string& text = Items()->Strings(row);
    if (!cached.Known || cached.Text != text) {
        cached.Text = text;
        cached.Image = OnRowImage ? OnRowImage(row) : -1;
        cached.Known = true;
    }
    return cached.Image;
}

const TClassInfo& TImageComboBox::StaticClassInfo() {
    static const TClassInfo info("TImageComboBox", &TComboBox::StaticClassInfo());
    return info;
}

}  // namespace nimbra
