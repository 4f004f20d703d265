#include "rules_fixture.h"
