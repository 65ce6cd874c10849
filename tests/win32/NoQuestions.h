#pragma once

#include <gtest/gtest.h>

#include "engine/UserDialog.h"

// For engine calls that must never ask the user anything.
class NoQuestions : public UserDialog {
  public:
    std::uint16_t Mesaj(const std::string&, const std::string& text, MessageKind,
                        ButtonSet) override {
        ADD_FAILURE() << "unexpected question: " << text;
        return mrCancel;
    }
    void ProcessPendingMessages() override {}
};
