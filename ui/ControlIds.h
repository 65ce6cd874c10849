#pragma once

// Child-window identifiers of the two windows, so tests and assistive tools can find each
// control by its design name. Top-level window classes are named after the form classes.
namespace control_ids {

inline constexpr const char* StatusWindowClass = "TForm1";
inline constexpr const char* DialogWindowClass = "TErori";
// The application's zero-sized window, whose caption is the taskbar button's text.
inline constexpr const char* ApplicationWindowClass = "TApplication";

// TForm1
inline constexpr int Form1Label1 = 1;
inline constexpr int Linia1 = 11;
inline constexpr int Linia2 = 12;
inline constexpr int Linia3 = 13;
inline constexpr int Linia4 = 14;
inline constexpr int Panel1 = 20;
inline constexpr int Form1GradientPanel1 = 21;
inline constexpr int Button1 = 22;

// TErori
inline constexpr int GradientPanel1 = 101;
inline constexpr int Image1 = 102;
inline constexpr int GradientPanel2 = 103;
inline constexpr int Label1 = 104;
inline constexpr int Image2 = 105;
inline constexpr int Image3 = 106;
inline constexpr int Image4 = 107;
inline constexpr int Image5 = 108;
inline constexpr int BE1 = 109;
inline constexpr int BE2 = 110;
inline constexpr int BE3 = 111;
inline constexpr int BE4 = 112;
inline constexpr int EroText = 113;

} // namespace control_ids
