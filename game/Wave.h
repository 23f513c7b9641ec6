#ifndef QUORVEL_WAVE_H
#define QUORVEL_WAVE_H

#include "qv/world/Object.h"

/// Feeds enemies into the world, one every 90 steps, and hands over to the
/// next wave once enough enemies have died.
class Wave : public qv::Object {
public:
    /// Wave number: spawns 3n + 1 enemies (twice that on every fifth wave)
    /// and ends after 3n + 1 have been killed.
    explicit Wave(int number);
    /// Advances the "Wave" counter on the HUD.
    ~Wave() override;

    /// Steps and "enemy-killed": 1. "end" queues the wave for deletion.
    int eventHandler(const qv::Event* event) override;

    /// Counts down and, every 90 steps, brings in one more enemy.
    void spawnEnemy();

    int getWaveNumber() const;
    int getToSpawn() const;
    int getSpawned() const;
    int getRemaining() const;

private:
    int waveNumber;
    int toSpawn;
    int spawned;
    int remaining;
    int spawnCountdown;
    int spawnSlowdown;
    bool ended;
};

#endif
