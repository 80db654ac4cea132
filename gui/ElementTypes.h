// The type names of the elements. The event loop and the registries tell
// elements apart by comparing these texts, so every use goes through the
// constants here: a misspelt name does not compile.
#pragma once

inline constexpr char kTypeForm[] = "form";
inline constexpr char kTypeTimer[] = "timer";
inline constexpr char kTypeButton[] = "ButtonCustom";
inline constexpr char kTypeImage[] = "image";
inline constexpr char kTypeImageFrame[] = "imageframe";
inline constexpr char kTypeTextBox[] = "TextBoxCustom";
inline constexpr char kTypePanel[] = "panel";
inline constexpr char kTypeCell[] = "cellcontrol";
inline constexpr char kTypeProgressBar[] = "progressbar";
inline constexpr char kTypeCheckBox[] = "checkbox";
inline constexpr char kTypeOptionBox[] = "optionbox";
inline constexpr char kTypeSlider[] = "slider";
inline constexpr char kTypeScrollBar[] = "scrollbar";
// No class of the toolkit makes one; the registry still descends into it.
inline constexpr char kTypeMenuBar[] = "menubar";
