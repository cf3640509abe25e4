// Apart from the rest of the catalogue so the level checker reads it without the game's pictures.
#include "data/stages.h"

#include "app/xml_reader.h"

TTilesetDefaults ReadTilesetDefaults(const TiXmlElement* element) {
    TTilesetDefaults defaults;
    defaults.mGameType = ReadXmlInt(element, "gametype", 0);
    defaults.mCanChange = ReadXmlBool(element, "canchange", false);
    defaults.mNeedReshuffle = ReadXmlBool(element, "needreshuffle", false);
    ReadXmlStringList(element, "tilesets", ',', defaults.mTilesets);
    return defaults;
}
