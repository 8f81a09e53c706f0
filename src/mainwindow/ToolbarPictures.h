#pragma once

#include <QIcon>

// The toolbar's pictures, drawn by the program itself: no icon theme is searched and no image
// file or image plugin is loaded at start-up. Each is drawn on a 24 by 24 grid and scaled to the
// size asked for, for the screen's pixel ratio.
enum class ToolbarPicture { NewFile, OpenFile, SaveFile, NewText, DeleteText, EditText, Replace };

QIcon toolbarPicture(ToolbarPicture picture, int size, qreal pixelRatio);
