#include "Racket.h"

Racket::Racket() : Enemy("Racket", "racket") {}
