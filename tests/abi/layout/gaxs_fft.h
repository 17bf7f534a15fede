/* Layout assertions of the gaxs_fft records (included by layout_checks.h). */
