#ifndef QUORVEL_IMPLIES_H
#define QUORVEL_IMPLIES_H

#include "qv/world/Object.h"

/// An Implication's shot: flies straight and hurts the hero once on contact.
class Implies : public qv::Object {
public:
    /// A passable shot at position flying with velocity (unit length).
    Implies(qv::Vector position, int damage, qv::Vector velocity);

    int eventHandler(const qv::Event* event) override;

    int getDamage() const;

private:
    int damage;
    /// Set by the first hit: the hero's knock-back can touch the shot again
    /// before it is deleted, and it must not hurt twice.
    bool spent;
};

#endif
