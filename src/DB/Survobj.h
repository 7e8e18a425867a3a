// The survey object model in one include: the ID type, lists, every kind of
// object, the data root and the database interface the objects call.
#pragma once

#include "DB/Company.h"
#include "DB/DataRoot.h"
#include "DB/Department.h"
#include "DB/Experience.h"
#include "DB/ObjectID.h"
#include "DB/Question.h"
#include "DB/Rater.h"
#include "DB/ScoreSheet.h"
#include "DB/SkillArea.h"
#include "DB/Subject.h"
#include "DB/Suggestion.h"
#include "DB/SurvList.h"
#include "DB/SurvObjectBase.h"
#include "DB/Survey.h"
#include "DB/SurveyDBBase.h"
