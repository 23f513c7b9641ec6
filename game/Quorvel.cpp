#include "Quorvel.h"

Quorvel::Quorvel() : Enemy("Quorvel", "quorvel") {}
