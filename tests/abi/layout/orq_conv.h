/* Layout assertions of the orq_conv records (included by layout_checks.h). */
