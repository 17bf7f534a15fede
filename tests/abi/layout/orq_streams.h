/* Layout assertions of the orq_streams records (included by layout_checks.h). */
