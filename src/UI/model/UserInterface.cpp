#include "UI/model/UserInterface.h"
