#pragma once

// Maps the font families the window's design names ("微软雅黑", "黑体")
// to an installed CJK family.
void InstallFontSubstitutions();
