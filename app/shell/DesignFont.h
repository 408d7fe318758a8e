#pragma once
// The windows' font: "MS Sans Serif" at a pixel height. Where that face is missing, the
// geometry of the windows needs a face as narrow as it: the Arial Narrow-metric one, which
// shows every caption whole at the design height, rather than the font system's wider
// generic sans serif.
#include <QFont>

QFont DesignFont(int pixelHeight);
