#pragma once

#include <cstdint>
#include <string>

#include "engine/UserDialog.h"
#include "os/OsServices.h"
#include "ui/framework/Form.h"

class Button;
class GradientPanel;
class Image;
class Label;

// The message dialog: a coloured header with a picture and a heading, a centred message and up
// to four buttons over a footer of the header's colours. Mesaj shows it modally.
class TErori : public Form, public UserDialog {
  public:
    TErori(Application& application, OsServices& os);

    std::uint16_t Mesaj(const std::string& heading, const std::string& text, MessageKind kind,
                        ButtonSet buttons) override;
    void ProcessPendingMessages() override;

    void OnKeyDown(WPARAM key) override { FormKeyDown(key); }

  private:
    void FormKeyDown(WPARAM key);
    Button& ButtonNumber(int number) const;

    OsServices& os_;

    GradientPanel* GradientPanel1;
    Image* Image1;
    GradientPanel* GradientPanel2;
    Label* Label1;
    Image* Image2;
    Image* Image3;
    Image* Image4;
    Image* Image5;
    Button* BE1;
    Button* BE2;
    Button* BE3;
    Button* BE4;
    Label* EroText;
};
