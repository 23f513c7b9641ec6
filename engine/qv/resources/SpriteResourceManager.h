#ifndef QV_RESOURCES_SPRITERESOURCEMANAGER_H
#define QV_RESOURCES_SPRITERESOURCEMANAGER_H

#include "qv/core/Manager.h"
#include "qv/resources/Frame.h"

#include <fstream>
#include <string>
#include <vector>

namespace qv {

class Sprite;

/// The sprite registry: reads sprite files and holds up to 100 sprites under
/// labels until shutDown(). Reached through ResourceManager::getInstance().
class SpriteResourceManager : public Manager {
public:
    /// Capacity of the registry.
    static constexpr int MAX_SPRITES = 100;

    ~SpriteResourceManager() override;

    /// Empties the registry unless already started. Always 0.
    int startUp() override;

    /// Destroys every sprite.
    void shutDown() override;

    /// Reads a sprite file and holds the sprite under label. 0 on success;
    /// -1 registry full, -2 header, -3 body, -4 footer, -5 cannot open.
    /// Every failure is logged with its line number; the registry is then unchanged.
    int loadSprite(std::string filename, std::string label);

    /// The first sprite loaded under label (exact match), or null.
    Sprite* getSprite(std::string label) const;

protected:
    SpriteResourceManager();

private:
    Sprite* sprites[MAX_SPRITES];
    int spriteCount;
};

// Line readers of the sprite loader; they share one line counter.

/// The next line without its line feed (or CR LF); empty, and logged, at the
/// end of the file.
std::string getLine(std::ifstream& file);
/// The lines between "<tag>" and "</tag>"; empty, and logged, when the
/// section is missing, malformed or empty.
std::vector<std::string> readData(std::ifstream& file, std::string tag);
/// The integer after key and one separator on the lines starting with key,
/// which are removed; the last such line wins. -1 when there is none.
int matchLineInt(std::vector<std::string>& lines, const char* key);
/// The text after key and one separator, as matchLineInt(); empty when none.
std::string matchLineStr(std::vector<std::string>& lines, const char* key);
/// Takes height rows of width characters and an "end" line from the front
/// of lines; an empty frame, and logged, when they are not there.
Frame parseFrame(std::vector<std::string>& lines, int width, int height);

} // namespace qv

#endif
