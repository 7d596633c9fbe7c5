// The windows ask for their fonts by their Windows names; here those names stand for fonts that exist,
// with a Hangul font behind them so that Korean texts never show as empty boxes.
#pragma once

void InstallFontSubstitutes();
