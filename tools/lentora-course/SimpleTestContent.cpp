#include "CourseBuilder.h"

namespace lentora::course {

void buildSimpleTestContent(const CourseContext&) {}

}  // namespace lentora::course
