#ifndef QV_QV_H
#define QV_QV_H

/// @file
/// The whole public interface of the qv engine in one include.

#include "qv/app/CommandLine.h"
#include "qv/app/GameRunner.h"
#include "qv/app/GameSetup.h"
#include "qv/app/ReplayCursor.h"
#include "qv/app/ReplayViewer.h"
#include "qv/app/RunGame.h"
#include "qv/app/TestGame.h"
#include "qv/core/Clock.h"
#include "qv/core/DataFile.h"
#include "qv/core/Environment.h"
#include "qv/core/Event.h"
#include "qv/core/EventCollision.h"
#include "qv/core/EventKeyboard.h"
#include "qv/core/EventMouse.h"
#include "qv/core/EventOut.h"
#include "qv/core/EventStep.h"
#include "qv/core/EventView.h"
#include "qv/core/FrameStats.h"
#include "qv/core/GameManager.h"
#include "qv/core/LogManager.h"
#include "qv/core/Manager.h"
#include "qv/core/Random.h"
#include "qv/display/Color.h"
#include "qv/display/DisplayManager.h"
#include "qv/display/InputEvent.h"
#include "qv/display/InputManager.h"
#include "qv/display/InputObserver.h"
#include "qv/display/InputSource.h"
#include "qv/display/Keyboard.h"
#include "qv/display/Mouse.h"
#include "qv/display/Screen.h"
#include "qv/display/TextGrid.h"
#include "qv/display/ViewObject.h"
#include "qv/replay/ReplayReader.h"
#include "qv/replay/ReplayRecord.h"
#include "qv/replay/ReplaySession.h"
#include "qv/replay/ReplayWriter.h"
#include "qv/resources/AudioClip.h"
#include "qv/resources/AudioOutput.h"
#include "qv/resources/AudioResource.h"
#include "qv/resources/Frame.h"
#include "qv/resources/Music.h"
#include "qv/resources/ResourceManager.h"
#include "qv/resources/Sound.h"
#include "qv/resources/Sprite.h"
#include "qv/resources/SpriteResourceManager.h"
#include "qv/world/Box.h"
#include "qv/world/Object.h"
#include "qv/world/ObjectList.h"
#include "qv/world/Vector.h"
#include "qv/world/WorldManager.h"

/// The qv engine: a 33 ms frame loop over a world of objects drawn on an
/// 80 x 24 grid of coloured characters, with keyboard and mouse events,
/// HUD views, multi-frame text sprites, sounds and music.
///
/// A game's main() hands a GameSetup to runGame(), which reads the engine's
/// options, starts the engine and calls the setup's start: it loads the
/// game's sprites and sounds through ResourceManager and creates its first
/// objects (classes derived from Object, entered in the world as they are
/// constructed). runGame() then runs the frame loop, reports and shuts the
/// engine down.
namespace qv {}

#endif
