#include "CourseBuilder.h"

namespace lentora::course {

void buildShellContent(const CourseContext&) {}

}  // namespace lentora::course
