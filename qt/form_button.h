// A command button of the window: draws its caption so a card name is never clipped,
// answers Space and Enter alike, and tells the runtime when it receives the focus.
#pragma once

#include <QPushButton>
#include <QString>
#include <functional>

namespace vop {

class FormButton final : public QPushButton {
  public:
    explicit FormButton(QWidget* parent);

    // The caption exactly as the game set it; an '&' in it is shown, never a mnemonic.
    void setCaption(const QString& caption);
    const QString& caption() const { return caption_; }

    // Where the caption is laid out: the button's height, and its width less the
    // frame and a pixel on each side, so no glyph touches the edge.
    QSize captionArea() const;

    // Called when the button has received the keyboard focus.
    std::function<void()> onFocusIn;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    QString caption_;
};

}  // namespace vop
